// Header values the symbol route writes and reads: notes, entity tags.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/control.h"

namespace qv::service {

// Quorvantix-Notes: "warning: TEXT; error: TEXT". A header value must be printable ASCII, so
// every other byte of a text, and '%' and ';', are written as %XX (the byte's code); the page
// splits at "; " and decodes.
std::string notesHeader(std::span<const Note> notes);

// A strong entity tag of the response: the same bytes and notes always give the same tag.
std::string entityTag(std::span<const std::uint8_t> body, std::string_view notes);

// Whether an If-None-Match value ("*", or a list of tags, weak or strong) names `tag`.
bool matchesEntityTag(std::string_view ifNoneMatch, std::string_view tag);

}  // namespace qv::service
