#include <gtest/gtest.h>

#include <string>

#include "pdf417/compaction.h"
#include "pdf417/text_table.h"

namespace qv::pdf417 {
namespace {

Bytes bytesOf(const std::string& s) {
    return Bytes(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

struct ByteCase {
    std::string data;
    std::int32_t latch;
    Codewords codewords;  // from position 2
};

TEST(ByteCompaction, GroupsOfSixThenSingleBytes) {
    const std::string six("\x00\x01\x02\x03\x04\x05", 6);
    const ByteCase cases[] = {
        {six, 924, {0, 5, 844, 88, 165}},
        {six + "A", 901, {0, 5, 844, 88, 165, 65}},
        {"ABCDE", 901, {65, 66, 67, 68, 69}},
        {"", 901, {}},
    };
    for (const auto& c : cases) {
        Codewords symbol(40, kPad);
        EXPECT_EQ(byteCompaction(bytesOf(c.data), 0, symbol, 40), c.data.size());
        EXPECT_EQ(symbol[1], c.latch) << c.data.size();
        EXPECT_EQ(Codewords(symbol.begin() + 2,
                            symbol.begin() + 2 + static_cast<long>(c.codewords.size())),
                  c.codewords);
        EXPECT_EQ(symbol[2 + c.codewords.size()], kPad);
    }
}

TEST(ByteCompaction, StopsAtTheLimit) {
    const std::string data(13, 'x');
    // Room for one group and two single bytes: the group is taken, the tail is cut.
    Codewords symbol(9, kPad);
    EXPECT_EQ(byteCompaction(bytesOf(data), 0, symbol, 9), 8u);
    EXPECT_EQ(symbol[1], 901);
    // Room for less than a group: single bytes only.
    Codewords small(6, kPad);
    EXPECT_EQ(byteCompaction(bytesOf(data), 0, small, 6), 4u);
    // A limit below the latch takes nothing and writes nothing past it.
    Codewords none(3, kPad);
    EXPECT_EQ(byteCompaction(bytesOf(data), 0, none, -5), 0u);
    EXPECT_EQ(none[2], kPad);
}

struct TextCase {
    std::string data;
    Codewords codewords;
};

TEST(TextCompaction, SubModesAndPairing) {
    const TextCase cases[] = {
        {"AB", {1}},
        {"A", {29}},
        {"a", {810}},
        {"A B", {28, 808, 59}},
        {"This is", {597, 218, 568, 807, 258}},
        // Capitals inside lower case are shifted one at a time: 27 0 (a) 27 1 (B) 2 (c).
        {"aBc", {27 * 30 + 0, 27 * 30 + 1, 2 * 30 + 29}},
        // Punctuation is always a one-character shift: 29 10 (!) then A.
        {"!A", {29 * 30 + 10, 0 * 30 + 29}},
        // Characters without a value are left out.
        {std::string("A\tB\x80", 4), {1}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const auto out = textCompaction(bytesOf(c.data), 0, 1000);
        EXPECT_EQ(out.codewords, c.codewords) << c.data;
        EXPECT_EQ(out.end, c.data.size());
        EXPECT_EQ(textFieldToCodewords(c.data), c.codewords) << c.data;
    }
}

TEST(TextCompaction, TableCoversPrintableAscii) {
    for (int ch = 0; ch < 256; ++ch)
        EXPECT_EQ(kTextTable[static_cast<std::size_t>(ch)].mode == SubMode::None,
                  ch < 32 || ch > 126)
            << ch;
    EXPECT_EQ(kTextTable[' '].mode, SubMode::Mixed);
    EXPECT_EQ(kTextTable[' '].value, 26);
    EXPECT_EQ(kTextTable['\''].value, 28);
    EXPECT_EQ(kTextTable['^'].value, 24);
    EXPECT_EQ(kTextTable['*'].mode, SubMode::Mixed);
}

TEST(TextCompaction, CapacityTakesBackTheCharacterThatReachesTheLimit) {
    const std::string data = "ABCDEFGH";
    // Limit 4: ceil(k / 2) + 1 must stay below 4, so at most 4 values (2 codewords).
    const auto out = textCompaction(bytesOf(data), 0, 4);
    EXPECT_EQ(out.end, 4u);
    EXPECT_EQ(out.codewords, (Codewords{1, 63}));
    // A latch and its character are taken back together.
    const auto latch = textCompaction(bytesOf("ABC1"), 0, 4);
    EXPECT_EQ(latch.end, 3u);
    EXPECT_EQ(textCompaction(bytesOf(data), 0, 1).end, 0u);
    EXPECT_EQ(textCompaction(bytesOf(data), 5, 1000).end, data.size());
}

struct NumberCase {
    std::string digits;
    Codewords codewords;
};

TEST(NumericCompaction, GroupsOf44Digits) {
    const std::string d44(44, '9');
    const auto c44 = numericCompaction(bytesOf(d44), 0);
    ASSERT_TRUE(c44);
    EXPECT_EQ(c44->size(), 15u);
    const auto c45 = numericCompaction(bytesOf(d44 + "7"), 0);
    ASSERT_TRUE(c45);
    ASSERT_EQ(c45->size(), 16u);
    EXPECT_EQ(Codewords(c45->begin(), c45->begin() + 15), *c44);
    EXPECT_EQ(c45->back(), 17);  // "17"
    const NumberCase cases[] = {
        {"1234", {12, 434}},
        {"", {}},
        {"000", {1, 100}},
    };
    for (const auto& c : cases) EXPECT_EQ(numericCompaction(bytesOf(c.digits), 0), c.codewords);
    EXPECT_FALSE(numericCompaction(bytesOf("12a4"), 0));
    EXPECT_FALSE(numericCompaction(bytesOf("-1"), 0));
    // Only the data from the start is read.
    EXPECT_EQ(numericCompaction(bytesOf("x1234"), 1), (Codewords{12, 434}));
}

TEST(NumericCompaction, NumberFieldsOfMacroBlocks) {
    const NumberCase cases[] = {
        {"00000", {111, 100}},
        {"00003", {111, 103}},
        {"", {1}},
        {"99999", {222, 199}},
    };
    for (const auto& c : cases) EXPECT_EQ(numberToCodewords(c.digits), c.codewords) << c.digits;
    // "1" and 44 zeros, 10^44, needs 15 codewords; its lowest is 10^44 mod 900.
    const auto big = numberToCodewords(std::string(44, '0'));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->size(), 15u);
    EXPECT_EQ(big->back(), 100);  // 10^44 mod 900 = 100
    EXPECT_FALSE(numberToCodewords(std::string(45, '0')));
    EXPECT_FALSE(numberToCodewords("12:00"));
}

}  // namespace
}  // namespace qv::pdf417
