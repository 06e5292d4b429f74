// The designer page's files, embedded into the binary at build time.
#pragma once

#include <span>
#include <string_view>

namespace qv::service {

struct PageAsset {
    std::string_view path;         // as requested: "/", "/designer.js", ...
    std::string_view contentType;  // UTF-8 text
    std::string_view body;
};

std::span<const PageAsset> pageAssets();

}  // namespace qv::service
