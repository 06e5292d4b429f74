// Small text operations of the linear control, shared with the MaxiCode control.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv::barcode1d {

// Lenient integer: leading blanks, an optional sign, an optional "$", "x", "0x" hex prefix, then
// the digits up to the first non-digit; 0 when there are none. Saturates at the int32 range.
std::int32_t textToInt(std::string_view text);

// Decimal text without leading zeros, "-" for negatives.
std::string intToText(std::int32_t value);

// "~~" gives "~"; "~" and three characters give the character of their textToInt value (capped at
// 255); a "~" with fewer than three characters after it is dropped.
std::string expandTildes(std::string_view text);

}  // namespace qv::barcode1d
