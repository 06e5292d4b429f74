// Code 39 and Code 93 character tables and their Full ASCII assignments. A character's value is
// its position in its table.
#pragma once

#include <string_view>

#include "barcode1d/text_helpers.h"

namespace qv::barcode1d {

// Nine elements, bar first: "n" narrow, "w" wide. The last entry is the start/stop character.
inline constexpr PatternEntry kCode39[] = {
    {"0", "nnnwwnwnn"}, {"1", "wnnwnnnnw"}, {"2", "nnwwnnnnw"}, {"3", "wnwwnnnnn"},
    {"4", "nnnwwnnnw"}, {"5", "wnnwwnnnn"}, {"6", "nnwwwnnnn"}, {"7", "nnnwnnwnw"},
    {"8", "wnnwnnwnn"}, {"9", "nnwwnnwnn"}, {"A", "wnnnnwnnw"}, {"B", "nnwnnwnnw"},
    {"C", "wnwnnwnnn"}, {"D", "nnnnwwnnw"}, {"E", "wnnnwwnnn"}, {"F", "nnwnwwnnn"},
    {"G", "nnnnnwwnw"}, {"H", "wnnnnwwnn"}, {"I", "nnwnnwwnn"}, {"J", "nnnnwwwnn"},
    {"K", "wnnnnnnww"}, {"L", "nnwnnnnww"}, {"M", "wnwnnnnwn"}, {"N", "nnnnwnnww"},
    {"O", "wnnnwnnwn"}, {"P", "nnwnwnnwn"}, {"Q", "nnnnnnwww"}, {"R", "wnnnnnwwn"},
    {"S", "nnwnnnwwn"}, {"T", "nnnnwnwwn"}, {"U", "wwnnnnnnw"}, {"V", "nwwnnnnnw"},
    {"W", "wwwnnnnnn"}, {"X", "nwnnwnnnw"}, {"Y", "wwnnwnnnn"}, {"Z", "nwwnwnnnn"},
    {"-", "nwnnnnwnw"}, {".", "wwnnnnwnn"}, {" ", "nwwnnnwnn"}, {"$", "nwnwnwnnn"},
    {"/", "nwnwnnnwn"}, {"+", "nwnnnwnwn"}, {"%", "nnnwnwnwn"}, {"*", "nwnnwnwnn"},
};

inline constexpr int kCode39StartStop = 43;

// Six elements, bar first, each a width in modules. Values 43 to 46 are the shift characters
// ($), (%), (/) and (+); no data character matches their two-letter keys.
inline constexpr PatternEntry kCode93[] = {
    {"0", "131112"},  {"1", "111213"},  {"2", "111312"}, {"3", "111411"},  {"4", "121113"},
    {"5", "121212"},  {"6", "121311"},  {"7", "111114"}, {"8", "131211"},  {"9", "141111"},
    {"A", "211113"},  {"B", "211212"},  {"C", "211311"}, {"D", "221112"},  {"E", "221211"},
    {"F", "231111"},  {"G", "112113"},  {"H", "112212"}, {"I", "112311"},  {"J", "122112"},
    {"K", "132111"},  {"L", "111123"},  {"M", "111222"}, {"N", "111321"},  {"O", "121122"},
    {"P", "131121"},  {"Q", "212112"},  {"R", "212211"}, {"S", "211122"},  {"T", "211221"},
    {"U", "221121"},  {"V", "222111"},  {"W", "112122"}, {"X", "112221"},  {"Y", "122121"},
    {"Z", "123111"},  {"-", "121131"},  {".", "311112"}, {" ", "311211"},  {"$", "321111"},
    {"/", "112131"},  {"+", "113121"},  {"%", "211131"}, {"_1", "121221"}, {"_2", "312111"},
    {"_3", "311121"}, {"_4", "122211"},
};

inline constexpr std::string_view kCode93Start = "111141";
// The start pattern and a terminating one-module bar.
inline constexpr std::string_view kCode93Stop = "1111411";

// Each ASCII code as one Code 39 character, or a shift character ($ % / +) and a letter.
inline constexpr std::string_view kCode39FullAscii[128] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",
};

// The same assignment in Code 93 keys, except that every character Code 93 has (including "$", "/",
// "+" and "%") is itself; the shifts are "_1" ($), "_2" (%), "_3" (/), "_4" (+).
inline constexpr std::string_view kCode93FullAscii[128] = {
    "_2U", "_1A", "_1B", "_1C", "_1D", "_1E", "_1F", "_1G", "_1H", "_1I", "_1J", "_1K", "_1L",
    "_1M", "_1N", "_1O", "_1P", "_1Q", "_1R", "_1S", "_1T", "_1U", "_1V", "_1W", "_1X", "_1Y",
    "_1Z", "_2A", "_2B", "_2C", "_2D", "_2E", " ",   "_3A", "_3B", "_3C", "$",   "%",   "_3F",
    "_3G", "_3H", "_3I", "_3J", "+",   "_3L", "-",   ".",   "/",   "0",   "1",   "2",   "3",
    "4",   "5",   "6",   "7",   "8",   "9",   "_3Z", "_2F", "_2G", "_2H", "_2I", "_2J", "_2V",
    "A",   "B",   "C",   "D",   "E",   "F",   "G",   "H",   "I",   "J",   "K",   "L",   "M",
    "N",   "O",   "P",   "Q",   "R",   "S",   "T",   "U",   "V",   "W",   "X",   "Y",   "Z",
    "_2K", "_2L", "_2M", "_2N", "_2O", "_2W", "_4A", "_4B", "_4C", "_4D", "_4E", "_4F", "_4G",
    "_4H", "_4I", "_4J", "_4K", "_4L", "_4M", "_4N", "_4O", "_4P", "_4Q", "_4R", "_4S", "_4T",
    "_4U", "_4V", "_4W", "_4X", "_4Y", "_4Z", "_2P", "_2Q", "_2R", "_2S", "_2T",
};

}  // namespace qv::barcode1d
