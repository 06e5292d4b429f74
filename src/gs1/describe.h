// Data as messages show it: printable ASCII as it is, any other byte as \xHH.
#pragma once

#include <string>
#include <string_view>

namespace qv::gs1 {

// "'A'", "space", "byte 0x1D".
std::string describeChar(char c);
// The text with bytes outside printable ASCII as \xHH, cut with "..." past maxChars.
std::string describeText(std::string_view text, std::size_t maxChars = 24);
// "AI (01) at position 5: " before a fault.
std::string where(std::string_view ai, std::size_t position);

}  // namespace qv::gs1
