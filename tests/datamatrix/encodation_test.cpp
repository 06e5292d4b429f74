#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datamatrix/automatic.h"
#include "datamatrix/encodation.h"
#include "datamatrix/escapes.h"

namespace qv::datamatrix {
namespace {

using Codewords = std::vector<std::int32_t>;

Codewords encode(std::string_view data, TEncoding encoding, bool tilde = false) {
    const MarkedText t = tilde ? expandEscapes(data).data : plainText(data);
    return encodeCodewords(t, encoding).codewords;
}

struct Case {
    TEncoding encoding;
    bool tilde;
    std::string data;
    Codewords expected;
};

void check(const std::vector<Case>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data + " / encoding " + std::to_string(static_cast<int>(c.encoding)));
        EXPECT_EQ(encode(c.data, c.encoding, c.tilde), c.expected);
    }
}

TEST(Encodation, Modes) {
    using enum TEncoding;
    check({
        {E_ASCII, false, "123456", {142, 164, 186}},
        {E_ASCII, false, "7", {56}},
        {E_ASCII, false, "\xC8", {235, 73}},
        {E_ASCII, false, "12345", {142, 164, 54}},
        {E_ASCII, false, "A1B", {66, 50, 67}},
        {E_C40, false, "AIM", {230, 91, 11, 254}},
        {E_C40, false, "AB", {230, 89, 217, 254}},  // completed with the value 0
        {E_C40, false, "A", {230, 254, 66}},        // one value left: the character in ASCII
        {E_TEXT, false, "ab", {239, 89, 217, 254}},
        {E_TEXT, false, "AB", {239, 12, 171, 254, 67}},  // shift 3 and the value, each
        // From 128 on, Text keeps its case swap: \xC1 is the upper shift, shift 3, 1.
        {E_TEXT, false, "ab\xC1", {239, 89, 218, 187, 210, 254}},
        {E_C40, false, "AB\xC1", {230, 89, 218, 189, 177, 254}},
        {E_BASE256, false, "abc", {231, 47, 34, 185, 79}},
        {E_NONE, false, "AB\x01", {65, 66, 1}},
    });
}

TEST(Encodation, TildeEscapes) {
    using enum TEncoding;
    check({
        {E_ASCII, true, "~A", {2}},
        {E_ASCII, true, "~~", {127}},
        {E_ASCII, false, "~A", {127, 66}},
        {E_ASCII, true, "~1AB", {232, 66, 67}},
        {E_ASCII, true, "A~1B", {66, 232, 67}},
        {E_ASCII, true, "ABC~1D", {66, 67, 68, 30, 69}},  // later: the group separator
        {E_ASCII, true, "ABCD~1", {66, 67, 68, 69, 232}},
        {E_ASCII, true, "A~", {66}},
        {E_ASCII, true, "~xy", {121, 122}},
        {E_ASCII, true, "~d065", {66}},
        {E_ASCII, true, "~d300", {235, 128}},  // capped at 255
        {E_ASCII, true, "~d1x5", {2}},         // leading digits only
        {E_ASCII, true, "~d6", {101, 55}},     // too short: the "~" goes
        {E_ASCII, true, "~7000003A", {241, 4, 66}},
        {E_ASCII, true, "~7000200", {241, 128, 74}},
        {E_ASCII, true, "~7100000", {241, 193, 76, 52}},
        {E_ASCII, true, "~5AB", {236, 66, 67}},
        {E_ASCII, true, "~6AB", {237, 66, 67}},
        {E_ASCII, true, "A~5", {66, 54}},  // macros only at the start
        {E_ASCII, true, "~3A", {234, 66}},
        {E_ASCII,
         true,
         "~2\x1E"
         "ABX",
         {233, 30, 65, 66, 89}},
        {E_ASCII, true, "~2AB", {51, 66, 67}},
        // Function characters leave C40, Text and Base 256 for ASCII.
        {E_C40, true, "~1AIM", {232, 230, 91, 11, 254}},
        {E_C40, true, "AIM~7000003AIM", {230, 91, 11, 254, 241, 4, 230, 91, 11, 254}},
        {E_TEXT, true, "abcd~1", {239, 89, 233, 254, 101, 232}},
        {E_BASE256, true, "~1abc", {232, 231, 196, 184, 78, 229}},
        {E_NONE, true, "~7000003A", {241, 4, 65}},
    });
}

TEST(Encodation, EscapesStopPastTheBound) {
    const std::string longText(3 * kMaxData, 'A');
    EXPECT_EQ(expandEscapes(longText).data.size(), kMaxData + 1);
    const Escaped e = expandEscapes("a~");
    EXPECT_EQ(e.dropped, 1);
}

TEST(Encodation, AutomaticMode) {
    using enum TEncoding;
    check({
        {E_AUTO, false, "123456", {142, 164, 186}},
        {E_AUTO, false, "12345678901", {142, 164, 186, 208, 220, 50}},
        {E_AUTO, false, "ABCDEFGHIJ", {230, 89, 233, 109, 36, 128, 95, 254, 75}},
        // The ASCII step's look-ahead leaves C40 straight for Base 256: unlatch first.
        {E_AUTO,
         false,
         "CAG A1AIf\xE4"
         "d.",
         {230, 102, 69, 20, 246, 254, 231, 179, 132, 33, 212, 232, 253, 93}},
    });
}

TEST(Encodation, AutomaticModeFinalState) {
    const Encoded e = encodeCodewords(plainText("ABCDEFGHIJ"), TEncoding::E_AUTO);
    EXPECT_EQ(e.finalMode, Mode::C40);
    EXPECT_EQ(e.leftOver, 1);
    const Encoded c = encodeCodewords(plainText("AIM"), TEncoding::E_C40);
    EXPECT_EQ(c.finalMode, Mode::C40);
    EXPECT_EQ(c.leftOver, 0);
}

TEST(Encodation, NoUnlatchAfterBase256Field) {
    // After the field the reader is back in ASCII; 254 there would be an invalid codeword.
    const Codewords c = encode(
        "\xE4\xE5\xE6\xE7\xE8\xE9\xEA"
        "1234",
        TEncoding::E_AUTO);
    ASSERT_EQ(c.size(), 11u);
    EXPECT_EQ(c[0], 231);
    EXPECT_EQ(c[9], 142);
    EXPECT_EQ(c[10], 164);
}

TEST(Encodation, LookAhead) {
    struct L {
        std::string data;
        Mode current;
        Mode expected;
    };
    const L cases[] = {
        {"123456", Mode::Ascii, Mode::Ascii},
        {"ABCDEFGHIJ", Mode::Ascii, Mode::C40},
        {"abcdefghij", Mode::Ascii, Mode::Text},
        {"\xE4\xE5\xE6\xE7\xE8\xE9", Mode::Ascii, Mode::Base256},
        {"J", Mode::C40, Mode::C40},
        {"", Mode::Base256, Mode::Base256},
        {"", Mode::Ascii, Mode::Ascii},
    };
    for (const auto& l : cases) {
        SCOPED_TRACE(l.data);
        EXPECT_EQ(lookAheadMode(plainText(l.data), 0, l.current), l.expected);
    }
    // A function character ahead returns to ASCII.
    EXPECT_EQ(lookAheadMode(expandEscapes("~1abcdefghij").data, 0, Mode::Text), Mode::Ascii);
}

}  // namespace
}  // namespace qv::datamatrix
