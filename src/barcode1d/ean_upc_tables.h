// EAN/UPC digit encodings, guards and parity tables.
#pragma once

#include <string_view>

#include "barcode1d/text_helpers.h"

namespace qv::barcode1d {

// Four module widths per digit. Set A (odd parity, "O") is drawn space first on the left half
// and bar first on the right half; set B (even parity, "E") only on the left half.
inline constexpr PatternEntry kEanSetA[] = {
    {"0", "3211"}, {"1", "2221"}, {"2", "2122"}, {"3", "1411"}, {"4", "1132"},
    {"5", "1231"}, {"6", "1114"}, {"7", "1312"}, {"8", "1213"}, {"9", "3112"},
};
inline constexpr PatternEntry kEanSetB[] = {
    {"0", "1123"}, {"1", "1222"}, {"2", "2212"}, {"3", "1141"}, {"4", "2311"},
    {"5", "1321"}, {"6", "4111"}, {"7", "2131"}, {"8", "3121"}, {"9", "2113"},
};

inline constexpr std::string_view kLeftColours = "wbwb";
inline constexpr std::string_view kRightColours = "bwbw";

struct Guard {
    std::string_view colours;
    std::string_view widths;
};
inline constexpr Guard kEdgeGuard{"bwb", "nnn"};
inline constexpr Guard kCentreGuard{"wbwbw", "nnnnn"};
inline constexpr Guard kUpceEndGuard{"wbwbwb", "nnnnnn"};
inline constexpr Guard kSupplementStart{"bwb", "112"};
inline constexpr Guard kSupplementSeparator{"wb", "11"};

// By the first digit: the sets of EAN-13 positions 3 to 7.
inline constexpr std::string_view kEan13Parity[10] = {
    "AAAAA", "ABABB", "ABBAB", "ABBBA", "BAABB", "BBAAB", "BBBAA", "BABAB", "BABBA", "BBABA",
};
// By the check digit: the sets of the six UPC-E digits.
inline constexpr std::string_view kUpceParitySystem0[10] = {
    "EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
    "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE",
};
inline constexpr std::string_view kUpceParitySystem1[10] = {
    "OOOEEE", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
    "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO",
};
// By the add-on's check value, and by its value modulo 4.
inline constexpr std::string_view kSupplement5Parity[10] = {
    "EEOOO", "EOEOO", "EOOEO", "EOOOE", "OEEOO", "OOEEO", "OOOEE", "OEOEO", "OEOOE", "OOEOE",
};
inline constexpr std::string_view kSupplement2Parity[4] = {"OO", "OE", "EO", "EE"};

}  // namespace qv::barcode1d
