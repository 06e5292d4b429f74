#include <gtest/gtest.h>

#include <vector>

#include "maxicode/assembly.h"
#include "maxicode/code_sets.h"
#include "maxicode/message.h"
#include "maxicode/postal.h"

namespace qv::maxicode {
namespace {

// The codewords up to the first pad after the end codeword.
std::vector<int> head(const Codewords& cw, std::size_t n) {
    return std::vector<int>(cw.begin(), cw.begin() + static_cast<std::ptrdiff_t>(n));
}

// expected, then the end codeword and pads to 144.
void expectMessage(std::string_view text, std::vector<int> expected) {
    SCOPED_TRACE(std::string(text));
    const auto encoded = encodeMessage(text);
    EXPECT_EQ(encoded.consumed, text.size());
    expected.push_back(63);
    EXPECT_EQ(head(encoded.codewords, expected.size()), expected);
    for (std::size_t i = expected.size(); i < 144; ++i) ASSERT_EQ(encoded.codewords[i], 33) << i;
}

TEST(MaxiMessage, Examples) {
    struct Case {
        std::string_view text;
        std::vector<int> codewords;
    };
    const Case cases[] = {
        {"", {}},
        {"123456789", {31, 7, 22, 60, 52, 21}},
        {"abc", {63, 1, 2, 3}},
        {"ab1", {63, 1, 2, 59, 49}},
        {"abABCD", {63, 1, 2, 63, 1, 2, 3, 4}},
        {"abABC", {63, 1, 2, 57, 1, 2, 3}},
        {"abAB", {63, 1, 2, 56, 1, 2}},
        // Nine digits compress in the middle of a word and in set B.
        {"A1234567890", {1, 31, 7, 22, 60, 52, 21, 48}},
        {"ab123456789", {63, 1, 2, 31, 7, 22, 60, 52, 21}},
        {"12345678", {49, 50, 51, 52, 53, 54, 55, 56}},
        // A single lower-case letter is shifted, two latch.
        {"Ab", {1, 59, 2}},
        {"aB", {59, 1, 2}},
        // Four characters of set C lock in; fewer are shifted one by one.
        {"\xC0\xC1\xC2\xC3", {60, 60, 0, 1, 2, 3}},
        {"\xC0\xC1", {60, 0, 60, 1}},
        // From a locked set C two characters of set D are enough to lock again.
        {"\xC0\xC1\xC2\xC3\xE0\xE1", {60, 60, 0, 1, 2, 3, 61, 61, 0, 1}},
        {"\xC0\xC1\xC2\xC3\xE0", {60, 60, 0, 1, 2, 3, 61, 0}},
        // In set C a space, although C has one, latches to A.
        {"\xC0\xC1\xC2\xC3 ", {60, 60, 0, 1, 2, 3, 58, 32}},
        {"\xC0\xC1\xC2\xC3x", {60, 60, 0, 1, 2, 3, 63, 24}},
        // Set E: control characters; set D from set B.
        {"\x01\x02\x03\x04", {62, 62, 1, 2, 3, 4}},
        {"ab\xE0", {63, 1, 2, 61, 0}},
        {"\x7F", {59, 36}},
    };
    for (const auto& c : cases) expectMessage(c.text, c.codewords);
}

TEST(MaxiMessage, EveryCharacterHasASet) {
    for (int c = 0; c < 256; ++c) {
        int sets = 0;
        for (int s = 0; s < 5; ++s) {
            const auto v = codeSetValue(static_cast<unsigned char>(c), static_cast<CodeSet>(s));
            EXPECT_LT(v, 64);
            if (v >= 0) ++sets;
        }
        EXPECT_GE(sets, 1) << c;
    }
}

TEST(MaxiMessage, BitsRoundTrip) {
    EXPECT_EQ(toBits(-1, 6), "111111");
    EXPECT_EQ(toBits(5, 4), "0101");
    EXPECT_EQ(toBits(1025, 10), "0000000001");
    EXPECT_EQ(toBits(7, 0), "");
    EXPECT_EQ(bitsToValue("100001"), 33);
    EXPECT_EQ(bitsToValue("1x1"), 40);
    EXPECT_EQ(bitsToValue(toBits(1, 3) + toBits(2, 3)), 10);
}

TEST(MaxiMessage, CapacityCutKeepsWholeCharacters) {
    // Numeric groups are 6 codewords: a cut never keeps part of one.
    const std::string digits(200, '7');
    for (std::size_t capacity : {84U, 82U, 77U, 93U, 5U, 0U}) {
        SCOPED_TRACE(capacity);
        const auto encoded = encodeMessage(digits, capacity);
        EXPECT_EQ(encoded.consumed, capacity / 6 * 9);
        EXPECT_EQ(encoded.codewords[capacity / 6 * 6], 63);
    }
    // A shifted character does not fit the last codeword.
    const auto encoded = encodeMessage("AAAa", 4);
    EXPECT_EQ(encoded.consumed, 3U);
    EXPECT_EQ(head(encoded.codewords, 5), (std::vector<int>{1, 1, 1, 63, 33}));
}

TEST(MaxiMessage, NeverWritesPastTheSymbol) {
    const std::string text(300, '\xE5');
    const auto encoded = encodeMessage(text, 1000);
    EXPECT_LT(encoded.consumed, text.size());
}

TEST(MaxiPostal, Mode2Primary) {
    std::vector<std::string> notes;
    const auto p = buildPostalPrimary(2, {"12345", "840", "1"}, notes);
    EXPECT_EQ(std::vector<int>(p.codewords.begin(), p.codewords.end()),
              (std::vector<int>{18, 14, 48, 0, 0, 16, 1, 18, 7, 0}));
    EXPECT_EQ(p.mode, 2);
    EXPECT_TRUE(notes.empty());
}

TEST(MaxiPostal, RewritesAndNotes) {
    struct Case {
        std::int32_t mode;
        std::string zip;
        std::int32_t modeAfter;
        std::string zipAfter;
        std::size_t notes;
    };
    const Case cases[] = {
        {2, "AB12", 3, "AB12  ", 2},  // not numeric, padded
        {2, "1234567890", 2, "123456789", 1}, {3, "12", 3, "12    ", 1}, {2, "", 2, "", 0},
        {3, "ABCDEFGH", 3, "ABCDEFGH", 1},  // the property keeps it; six are coded
        {3, "ab~DEF", 3, "ab~DEF", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zip);
        std::vector<std::string> notes;
        const auto p = buildPostalPrimary(c.mode, {c.zip, "840", "1"}, notes);
        EXPECT_EQ(p.mode, c.modeAfter);
        EXPECT_EQ(p.zipCode, c.zipAfter);
        EXPECT_EQ(notes.size(), c.notes);
    }
}

TEST(MaxiPostal, Mode3CharactersWithoutSetAValue) {
    // Lower case is coded as its capital, other characters as a space, never as 63.
    std::vector<std::string> notes;
    const auto lower = buildPostalPrimary(3, {"ab{d!f", "1", "1"}, notes);
    const auto upper = buildPostalPrimary(3, {"AB D F", "1", "1"}, notes);
    EXPECT_EQ(lower.codewords, upper.codewords);
    EXPECT_EQ(notes.size(), 6U);
}

TEST(MaxiPostal, StructuredSplit) {
    const std::string header =
        "[)>\x1e"
        "01\x1d"
        "96";
    struct Case {
        std::string text;
        std::optional<PostalFields> fields;
        std::string secondary;
    };
    const Case cases[] = {
        {header + "123456789\x1d"
                  "840\x1d"
                  "001\x1dTRACK",
         PostalFields{"123456789", "840", "001"}, header + "TRACK"},
        {"1234\x1d"
         "276\x1d"
         "2\x1drest",
         PostalFields{"1234", "276", "2"}, "rest"},
        {header + "1\x1d"
                  "2\x1d"
                  "3\x1d",
         PostalFields{"1", "2", "3"}, header},
        {header + "123\x1d"
                  "840",
         std::nullopt, ""},
        {"no separators", std::nullopt, ""},
        {"[)>\x1e"
         "01\x1d",
         std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const auto split = splitStructuredData(c.text);
        ASSERT_EQ(split.has_value(), c.fields.has_value()) << c.text;
        if (!split) continue;
        EXPECT_EQ(split->fields, *c.fields);
        EXPECT_EQ(split->secondary, c.secondary);
    }
}

TEST(MaxiAssembly, EmptyMode4) {
    const auto s = assembleSymbol({"", 4, {}, 1, 1, true});
    EXPECT_EQ(head(s.codewords, 10), (std::vector<int>{4, 63, 33, 33, 33, 33, 33, 33, 33, 33}));
    EXPECT_EQ(s.codewords[20], 33);
    EXPECT_EQ(s.codewords[21], 33);
}

TEST(MaxiAssembly, StructuredAppendHeader) {
    const auto s = assembleSymbol({"AB", 4, {}, 3, 2, true});
    EXPECT_EQ(head(s.codewords, 6), (std::vector<int>{4, 33, 10, 1, 2, 63}));
    const auto two = assembleSymbol({"AB", 2, {"1", "2", "3"}, 3, 2, true});
    EXPECT_EQ(two.codewords[20], 33);
    EXPECT_EQ(two.codewords[21], 10);
}

TEST(MaxiAssembly, Mode2WithSplitData) {
    const std::string data =
        "[)>\x1e"
        "01\x1d"
        "96123456789\x1d"
        "840\x1d"
        "001\x1dTRACK";
    const auto s = assembleSymbol({data, 2, {"", "999", "999"}, 1, 1, true});
    // The split replaces preset fields instead of appending to them.
    EXPECT_EQ(s.postal, (PostalFields{"123456789", "840", "001"}));
    EXPECT_TRUE(s.postalFromData);
    const auto direct =
        assembleSymbol({"[)>\x1e"
                        "01\x1d"
                        "96TRACK",
                        2,
                        {"123456789", "840", "001"},
                        1,
                        1,
                        true});
    EXPECT_EQ(s.codewords, direct.codewords);
}

TEST(MaxiAssembly, DataWithoutSeparatorsStaysTheMessage) {
    const auto s = assembleSymbol({"HELLO", 2, {"", "840", "1"}, 1, 1, true});
    EXPECT_EQ(s.postal, (PostalFields{"", "840", "1"}));
    EXPECT_FALSE(s.postalFromData);
    EXPECT_EQ(head(s.codewords, 1)[0] & 15, 2);  // mode 2, postal code of length 0
    EXPECT_EQ(s.codewords[20], 8);               // H
}

TEST(MaxiAssembly, OddModes) {
    struct Case {
        std::int32_t mode;
        int primary0;
        std::size_t notes;
    };
    for (const auto& c : {Case{64, 4, 1}, Case{70, 4, 1}, Case{INT32_MAX, 4, 1}, Case{7, 7, 0},
                          Case{63, 63, 0}, Case{1, 0, 0}, Case{-5, 0, 0}, Case{INT32_MIN, 0, 0}}) {
        SCOPED_TRACE(c.mode);
        const auto s = assembleSymbol({"A", c.mode, {}, 1, 1, true});
        EXPECT_EQ(s.codewords[0], c.primary0);
        EXPECT_EQ(s.notes.size(), c.notes);
        EXPECT_EQ(s.mode, c.mode);
    }
}

TEST(MaxiAssembly, CutAtSecondaryCapacityIsNoted) {
    struct Case {
        std::int32_t mode;
        std::int32_t codes;
        std::size_t keptDigits;
    };
    // Six codewords per nine digits: 93 hold 15 groups, 77 hold 12, 84 hold 14, 82 hold 13.
    for (const auto& c :
         {Case{4, 1, 135}, Case{5, 1, 108}, Case{2, 1, 126}, Case{4, 2, 135}, Case{2, 2, 117}}) {
        SCOPED_TRACE(c.mode);
        const auto s =
            assembleSymbol({std::string(400, '5'), c.mode, {"1", "1", "1"}, c.codes, 1, false});
        ASSERT_EQ(s.notes.size(), 1U);
        EXPECT_NE(s.notes[0].find(std::to_string(c.keptDigits) + " of 400"), std::string::npos)
            << s.notes[0];
    }
}

}  // namespace
}  // namespace qv::maxicode
