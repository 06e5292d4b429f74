#include <gtest/gtest.h>

#include "quorvantix/property.h"

namespace qv {
namespace {

constexpr std::string_view kColours[] = {"RED", "GREEN"};

PropertyInfo info(PropType type) {
    return PropertyInfo{"P", type,     "",      std::nullopt, PropertyAccess::ReadWrite,
                        "",  kColours, nullptr, nullptr};
}

TEST(PropertyText, ParsesEachType) {
    struct Case {
        PropType type;
        std::string_view text;
        std::optional<PropertyValue> expected;
    };
    const Case cases[] = {
        {PropType::Boolean, "true", PropertyValue{true}},
        {PropType::Boolean, "0", PropertyValue{false}},
        {PropType::Boolean, "yes", std::nullopt},
        {PropType::Integer, "-12", PropertyValue{std::int32_t{-12}}},
        {PropType::Integer, "2147483648", std::nullopt},
        {PropType::Integer, "12a", std::nullopt},
        {PropType::Integer, "", std::nullopt},
        {PropType::Short, "40000", std::nullopt},
        {PropType::Double, "0.45", PropertyValue{0.45}},
        {PropType::Double, "x", std::nullopt},
        {PropType::Color, "#FF0000", PropertyValue{std::int32_t{0x0000FF}}},
        {PropType::Color, "#0000FF", PropertyValue{std::int32_t{0xFF0000}}},
        {PropType::Color, "255", PropertyValue{std::int32_t{255}}},
        {PropType::Color, "#12", std::nullopt},
        {PropType::Enum, "green", PropertyValue{std::int32_t{1}}},
        {PropType::Enum, "99", PropertyValue{std::int32_t{99}}},
        {PropType::Enum, "BLUE", std::nullopt},
        {PropType::String, "", PropertyValue{std::string()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(parseProperty(info(c.type), c.text), c.expected);
    }
}

TEST(PropertyText, FormatReadsBack) {
    EXPECT_EQ(formatProperty(info(PropType::Color), std::int32_t{0x0000FF}), "#FF0000");
    EXPECT_EQ(formatProperty(info(PropType::Enum), std::int32_t{1}), "GREEN");
    EXPECT_EQ(formatProperty(info(PropType::Enum), std::int32_t{7}), "7");
    EXPECT_EQ(formatProperty(info(PropType::Double), 0.45), "0.45");
    EXPECT_EQ(formatProperty(info(PropType::Boolean), true), "true");
}

TEST(PropertyLookup, ExactMatchWinsOverCaseInsensitive) {
    const PropertyInfo table[] = {
        {"code",
         PropType::String,
         "",
         std::nullopt,
         PropertyAccess::ReadWrite,
         "",
         {},
         nullptr,
         nullptr},
        {"Code",
         PropType::String,
         "",
         std::nullopt,
         PropertyAccess::ReadWrite,
         "",
         {},
         nullptr,
         nullptr},
    };
    EXPECT_EQ(findProperty(table, "Code"), &table[1]);
    EXPECT_EQ(findProperty(table, "CODE"), &table[0]);
    EXPECT_EQ(findProperty(table, "Cod"), nullptr);
}

}  // namespace
}  // namespace qv
