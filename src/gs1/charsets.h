// The character sets of GS1 data components.
#pragma once

#include <cstddef>
#include <string_view>

#include "gs1/dictionary.h"

namespace qv::gs1 {

// In the order that gives each character its value in the check character pair.
inline constexpr std::string_view kCset82 =
    "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
inline constexpr std::string_view kCset39 = "#-/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kCset64 =
    "-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";

// The first character of s outside the set, or npos. CSET 64 allows "=" padding at its end.
std::size_t firstOutside(Cset set, std::string_view s);
// "a digit", "in CSET 82", ...: what a character outside the set is not.
std::string_view csetDescription(Cset set);

}  // namespace qv::gs1
