// Codabar characters: bar, space, bar, space, bar, space, bar as narrow/wide letters. A to D
// (values 16 to 19) are the start and stop characters.
#pragma once

#include <array>

#include "barcode1d/text_helpers.h"

namespace qv::barcode1d {

inline constexpr std::array<PatternEntry, 20> kCodabarTable = {{
    {"0", "nnnnnww"}, {"1", "nnnnwwn"}, {"2", "nnnwnnw"}, {"3", "wwnnnnn"}, {"4", "nnwnnwn"},
    {"5", "wnnnnwn"}, {"6", "nwnnnnw"}, {"7", "nwnnwnn"}, {"8", "nwwnnnn"}, {"9", "wnnwnnn"},
    {"-", "nnnwwnn"}, {"$", "nnwwnnn"}, {":", "wnnnwnw"}, {"/", "wnwnnnw"}, {".", "wnwnwnn"},
    {"+", "nnwnwnw"}, {"A", "nnwwnwn"}, {"B", "nwnwnnw"}, {"C", "nnnwnww"}, {"D", "nnnwwwn"},
}};

inline constexpr int kCodabarFirstStartStop = 16;

}  // namespace qv::barcode1d
