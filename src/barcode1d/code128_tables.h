// Code 128 symbol widths and code sets as constant data.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qv::barcode1d::code128 {

// Bar, space, bar, space, bar, space in modules (11 modules), one per symbol value 0 to 102.
inline constexpr std::array<std::string_view, 103> kWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131",
};

inline constexpr int kStartA = 103;
inline constexpr int kStartB = 104;
inline constexpr int kStartC = 105;
inline constexpr std::array<std::string_view, 3> kStartWidths = {"211412", "211214", "211232"};
inline constexpr std::string_view kStopWidths = "2331112";

inline constexpr int kFnc3 = 96;
inline constexpr int kFnc2 = 97;
inline constexpr int kShift = 98;
inline constexpr int kCodeC = 99;
inline constexpr int kCodeB = 100;  // FNC4 in set B
inline constexpr int kCodeA = 101;  // FNC4 in set A
inline constexpr int kFnc1 = 102;

// Symbol value of each byte in set A and set B, -1 where the set has none. Set A: codes 32 to 95
// at 0 to 63, control codes 0 to 31 at 64 to 95. Set B: codes 32 to 127 at 0 to 95, including
// the braces, the vertical bar and DEL.
inline constexpr std::array<std::int8_t, 256> kSetA = [] {
    std::array<std::int8_t, 256> t{};
    for (auto& v : t) v = -1;
    for (int c = 32; c <= 95; ++c) t[c] = static_cast<std::int8_t>(c - 32);
    for (int c = 0; c <= 31; ++c) t[c] = static_cast<std::int8_t>(c + 64);
    return t;
}();
inline constexpr std::array<std::int8_t, 256> kSetB = [] {
    std::array<std::int8_t, 256> t{};
    for (auto& v : t) v = -1;
    for (int c = 32; c <= 127; ++c) t[c] = static_cast<std::int8_t>(c - 32);
    return t;
}();

}  // namespace qv::barcode1d::code128
