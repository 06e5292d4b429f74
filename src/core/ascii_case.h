// Case-insensitive comparison of names as hosts type them: ASCII letters only, so that the
// result never depends on the locale.
#pragma once

#include <algorithm>
#include <string_view>

namespace qv::core {

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

}  // namespace qv::core
