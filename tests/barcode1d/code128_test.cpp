#include "barcode1d/code128.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "barcode1d/more_encoders.h"
#include "recording_sink.h"

namespace qv::barcode1d {
namespace {

using test::Harness;

struct ValuesCase {
    const char* name;
    std::string data;
    std::string set;
    bool check;
    std::vector<int> values;  // start first, check last
    bool notes;               // something was left out
};

void PrintTo(const ValuesCase& c, std::ostream* os) {
    *os << c.name;
}

class Code128Values : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(Code128Values, AreTheSymbolValues) {
    const ValuesCase& c = GetParam();
    std::vector<Note> notes;
    EXPECT_EQ(code128Values(c.data, c.set, c.check, notes), c.values);
    EXPECT_EQ(!notes.empty(), c.notes);
    for (const Note& n : notes) EXPECT_EQ(n.severity, Note::Severity::Warning);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Code128Values,
    ::testing::Values(
        ValuesCase{"HelloSetB", "Hello", "B", true, {104, 40, 69, 76, 76, 79, 76}, false},
        ValuesCase{"NoCheck", "Hello", "B", false, {104, 40, 69, 76, 76, 79}, false},
        ValuesCase{"SetCOddDigit", "12345", "C", true, {105, 12, 34, 100, 21, 54}, false},
        ValuesCase{"LowercaseInSetA", "ab", "A", true, {103, 0}, true},
        ValuesCase{"UnknownSetNameIsA", "ab", "x", true, {103, 0}, true},
        ValuesCase{
            "LowercaseSetNameIsA", "AB", "b", true, {103, 33, 34, (103 + 33 + 68) % 103}, false},
        // The braces, vertical bar and DEL are set B characters 91, 92, 93 and 95.
        ValuesCase{"BraceInSetB", "a{b", "B", true, {104, 65, 91, 66, 34}, false},
        ValuesCase{"SetBUpperRange", "|}\x7f~", "B", true, {104, 92, 93, 95, 94, 13}, false},
        ValuesCase{"ControlInSetBLeftOut", "a\x01", "B", false, {104, 65}, true},
        ValuesCase{"HighByteLeftOut", "\xe9", "A", false, {103}, true},
        ValuesCase{"ControlInSetA", "\x01_", "A", false, {103, 65, 63}, false},
        ValuesCase{"EmptyData", "", "B", true, {104, 1}, false},
        ValuesCase{"SetCPairWithLetterLeftOut", "1A23", "C", true, {105, 23, 25}, true},
        // A lone last character in set C goes through CODE B, or CODE A if only set A has it.
        ValuesCase{"SetCLoneLetter", "12A", "C", true, {105, 12, 100, 33, 4}, false},
        ValuesCase{"SetCLoneControl", "12\x01", "C", true, {105, 12, 101, 65, 102}, false},
        ValuesCase{"SetCLoneHighByte", "12\xc8", "C", true, {105, 12, 14}, true}),
    [](const auto& info) { return std::string(info.param.name); });

class Ean128Values : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(Ean128Values, AreTheSymbolValues) {
    const ValuesCase& c = GetParam();
    std::vector<Note> notes;
    EXPECT_EQ(ean128Values(c.data, c.check, notes), c.values);
    EXPECT_EQ(!notes.empty(), c.notes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ean128Values,
    ::testing::Values(
        ValuesCase{
            "WorkedExample", "12345AB", "", true, {105, 102, 12, 34, 100, 21, 33, 34, 38}, false},
        ValuesCase{"Fnc1Escape",
                   "\xca"
                   "01234",
                   "",
                   true,
                   {105, 102, 102, 1, 23, 100, 20, 96},
                   false},
        ValuesCase{"CodeCForFourDigits",
                   "AB12345678",
                   "",
                   true,
                   {105, 102, 100, 33, 34, 99, 12, 34, 56, 78, 22},
                   false},
        // Byte 200 draws CODE B in set C: the letters after it are read in set B.
        ValuesCase{"CodeBByteSwitchesSet",
                   "12\xc8"
                   "ab",
                   "",
                   true,
                   {105, 102, 12, 100, 65, 66, 91},
                   false},
        ValuesCase{"CodeAByteSwitchesSet",
                   "12\xc9"
                   "AB",
                   "",
                   true,
                   {105, 102, 12, 101, 33, 34, 12},
                   false},
        ValuesCase{"ControlAndLowercase",
                   "a\x01"
                   "b",
                   "",
                   true,
                   {105, 102, 100, 65, 101, 65, 100, 66, 24},
                   false},
        ValuesCase{
            "ShiftInSetA", "\x01`\x02", "", true, {105, 102, 101, 65, 98, 64, 66, 64}, false},
        ValuesCase{"Fnc4InSetBKeepsSet",
                   "a\xc8"
                   "b",
                   "",
                   false,
                   {105, 102, 100, 65, 100, 66},
                   false},
        ValuesCase{"Empty", "", "", true, {105, 2}, false},
        ValuesCase{"HighByteLeftOut", "A\xe9", "", false, {105, 102, 100, 33}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Code128Encoder, DrawsStartDataCheckAndStopWidths) {
    Harness h;
    h.props.Code = "Hi";
    h.props.Code128Set = "B";
    h.run(encodeCode128);
    // Start B, "H" (40), "i" (73), check (104 + 40 + 146) mod 103 = 84, stop.
    EXPECT_EQ(h.sink.runs(),
              "211214"
              "231113"
              "142112"
              "124112"
              "2331112");
    EXPECT_EQ(h.sink.elements.front().bar, true);
    EXPECT_EQ(h.sink.elements.back().bar, true);
}

TEST(Ean128Encoder, LeavesTheSetAtC) {
    Harness h;
    h.props.Code = "12";
    h.props.Code128Set = "B";
    h.run(encodeEAN128);
    EXPECT_EQ(h.props.Code128Set, "C");
    // Start C, FNC1, 12, check (105 + 102 + 24) mod 103 = 25, stop.
    EXPECT_EQ(h.sink.runs(),
              "211232"
              "411131"
              "112232"
              "321122"
              "2331112");
}

TEST(Code128Encoder, HostileSetNamesUseSetA) {
    for (const std::string& set :
         std::vector<std::string>{"", "BB", "c", std::string("B\0", 2), "\xff", "C "}) {
        std::vector<Note> notes;
        EXPECT_EQ(code128Values("A", set, false, notes), (std::vector<int>{103, 33})) << set;
    }
}

}  // namespace
}  // namespace qv::barcode1d
