// The lenient text-to-integer conversion and the tilde escapes, which the linear and the MaxiCode
// controls apply alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::core {

// Lenient integer: leading blanks, an optional sign, an optional "$", "x", "0x" hex prefix, then
// the digits up to the first non-digit; 0 when there are none. Saturates at the int32 range.
std::int32_t textToInt(std::string_view text);

// "~~" gives "~"; "~" and three characters give the character of their textToInt value (capped at
// 255); a "~" with fewer than three characters after it is dropped.
std::string expandTildes(std::string_view text);

// The text with every byte outside printable ASCII, and "~", written as a tilde escape ("~009"),
// so that a note shows data exactly and reads back through expandTildes. Past maxChars the rest
// is shown as "...", so notes stay short whatever the data.
std::string escapeForNote(std::string_view text, std::size_t maxChars = 16);

}  // namespace qv::core
