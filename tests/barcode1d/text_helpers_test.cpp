#include "barcode1d/text_helpers.h"

#include <gtest/gtest.h>

namespace qv::barcode1d {
namespace {

TEST(TextHelpers, ExpandTildes) {
    const std::pair<std::string, std::string> cases[] = {
        {"A~065B", "AAB"},
        {"~202123",
         "\xca"
         "123"},
        {"12~34", "1234"},  // too short for a code: the tilde goes
        {"~999", "\xff"},
        {"~~7", "~7"},
        {"~", ""},
        {"ab~", "ab"},
        {"~abc", std::string(1, '\0')},  // no digits: code 0
        {"~x41", "A"},                   // textToInt reads hexadecimal
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(expandTildes(in), out);
    }
}

TEST(TextHelpers, TextToInt) {
    const std::pair<std::string_view, std::int32_t> cases[] = {
        {"", 0},
        {"x", 0},
        {"7", 7},
        {"  -12x", -12},
        {"+8", 8},
        {"$1F", 31},
        {"0x1f", 31},
        {"X10", 16},
        {"12 3", 12},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(std::string(in));
        EXPECT_EQ(textToInt(in), out);
    }
    EXPECT_EQ(intToText(-5), "-5");
    EXPECT_EQ(intToText(0), "0");
}

TEST(TextHelpers, CheckDigitAndLength) {
    EXPECT_EQ(mod10CheckDigit("1234567"), "0");
    EXPECT_EQ(mod10CheckDigit("12345678901"), "2");
    EXPECT_EQ(mod10CheckDigit("123456789012"), "8");
    EXPECT_EQ(mod10CheckDigit("1a3"), mod10CheckDigit("103"));
    EXPECT_EQ(mod10CheckDigit(""), "0");
    EXPECT_EQ(fixLength("123", 5), "12300");
    EXPECT_EQ(fixLength("123456", 5), "12345");
    EXPECT_EQ(fixLength("12345", 5), "12345");
}

TEST(TextHelpers, Lookups) {
    constexpr PatternEntry table[] = {{"a", "1"}, {"B", "2"}, {"a", "3"}};
    EXPECT_EQ(findEntry(table, "a"), 0);
    EXPECT_EQ(findEntry(table, "B"), 1);
    EXPECT_EQ(findEntry(table, "b"), -1);
    constexpr std::string_view list[] = {"x", "yz"};
    EXPECT_EQ(findString(list, "yz"), 1);
    EXPECT_EQ(findString(list, "y"), -1);
}

TEST(TextHelpers, NotesShowDataThatReadsBack) {
    const std::string data = std::string("a~\0\xff", 4) + "b";
    EXPECT_EQ(escapeForNote(data), "a~126~000~255b");
    EXPECT_EQ(expandTildes(escapeForNote(data)), data);
    EXPECT_EQ(escapeForNote(std::string(20, 'q'), 4), "qqqq...");
}

}  // namespace
}  // namespace qv::barcode1d
