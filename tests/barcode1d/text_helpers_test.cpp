#include "barcode1d/text_helpers.h"

#include <gtest/gtest.h>

namespace qv::barcode1d {
namespace {

TEST(TextHelpers, CheckDigitAndLength) {
    EXPECT_EQ(intToText(-5), "-5");
    EXPECT_EQ(intToText(0), "0");
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

}  // namespace
}  // namespace qv::barcode1d
