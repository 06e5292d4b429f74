// GET /v1/{control}.{png|svg}?NAME=VALUE&...: the query becomes a SymbolRequest, the result
// becomes a reply. The render in between is the caller's, so that it can be bounded.
#pragma once

#include <cstddef>
#include <string_view>
#include <variant>

#include "quorvantix/host.h"
#include "reply.h"

namespace qv::service {

struct SymbolJob {
    SymbolRequest request;
    ImageFormat format = ImageFormat::Png;
};

// The names a query takes besides the properties: the data and the symbology, like -d and -t.
inline constexpr std::string_view kDataField = "data";
inline constexpr std::string_view kTypeField = "type";

// What to make, or the refusal: 404 for an unknown control or format, 414 for a query longer than
// `maxQuery` bytes, 400 for a faulty query or host option. Property names are checked by the
// render, with the command line's messages.
std::variant<SymbolJob, Reply> prepareSymbol(std::string_view control, std::string_view format,
                                             std::string_view query, std::size_t maxQuery);

// 200 with the image, its notes, ETag and Cache-Control; 304 when `ifNoneMatch` names the tag;
// 400 for a usage error, 422 when the symbol cannot stand for the data (or, strict, was changed).
Reply symbolReply(const SymbolResult& result, ImageFormat format, std::string_view ifNoneMatch);

}  // namespace qv::service
