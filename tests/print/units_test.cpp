// Lengths, resolutions and the whole dots that stand for an X-dimension.
#include <gtest/gtest.h>

#include <cmath>

#include "quorvantix/units.h"

namespace qv {
namespace {

TEST(Units, ModuleSizeIsTheNearestWholeNumberOfDots) {
    // X-dimension in mm, dpi, the dots expected (nearest: 0.33 mm at 300 dpi is 3.898 dots).
    const struct {
        double mm, dpi;
        std::int32_t dots;
    } cases[] = {
        {0.25, 203, 2}, {0.25, 300, 3}, {0.25, 600, 6}, {0.33, 203, 3},
        {0.33, 300, 4}, {0.33, 600, 8}, {0.5, 203, 4},  {0.5, 300, 6},
        {0.5, 600, 12}, {0.75, 203, 6}, {0.75, 300, 9}, {0.75, 600, 18},
        {1.0, 203, 8},  {1.0, 300, 12}, {1.0, 600, 24}, {0.01, 300, 1},  // never less than one dot
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mm) + " mm at " + std::to_string(c.dpi));
        const std::int32_t dots = dotsFor(c.mm, c.dpi);
        EXPECT_EQ(dots, c.dots);
        // Nearest: no other whole number of dots is closer to the length asked for.
        const double exact = c.mm * c.dpi / 25.4;
        if (exact >= 1) {
            EXPECT_LE(std::abs(dots - exact), 0.5);
        }
        EXPECT_NEAR(millimetresOf(dots, c.dpi), dots * 25.4 / c.dpi, 1e-12);
    }
    EXPECT_EQ(describeDots(4, 300), "0.339 mm = 4 dots at 300 dpi");
    EXPECT_EQ(describeDots(1, 203), "0.125 mm = 1 dot at 203 dpi");
}

TEST(Units, LengthsAndResolutionsAsText) {
    const struct {
        const char* text;
        double mm;  // negative: refused
    } lengths[] = {{"0.33mm", 0.33}, {"13mil", 0.3302}, {"0.5in", 12.7}, {"2 mm", 2},
                   {"0.33MM", 0.33}, {"0.33", -1},      {"mm", -1},      {"-1mm", -1},
                   {"1e9mm", -1},    {"nanmm", -1},     {"3px", -1},     {"", -1}};
    for (const auto& l : lengths) {
        SCOPED_TRACE(l.text);
        const auto v = parseLength(l.text);
        ASSERT_EQ(v.has_value(), l.mm >= 0);
        if (v) {
            EXPECT_NEAR(*v, l.mm, 1e-9);
        }
    }
    EXPECT_EQ(parseDotsPerInch("300"), 300.0);
    EXPECT_EQ(parseDotsPerInch("300dpi"), 300.0);
    EXPECT_NEAR(*parseDotsPerInch("12dpmm"), 304.8, 1e-9);
    EXPECT_NEAR(*parseDotsPerMillimetre("8"), 203.2, 1e-9);
    EXPECT_FALSE(parseDotsPerInch("0"));
    EXPECT_FALSE(parseDotsPerInch("20000"));
    EXPECT_FALSE(parseDotsPerInch("fast"));
    EXPECT_FALSE(parseDotsPerMillimetre("0"));
}

TEST(Units, RetailEanUpcRange) {
    for (const char* s : {"EAN13", "EAN8", "UPCA", "UPCE"}) {
        const XDimensionRange* r = xDimensionRangeOf(s);
        ASSERT_NE(r, nullptr) << s;
        EXPECT_DOUBLE_EQ(r->minimum, 0.264);
        EXPECT_DOUBLE_EQ(r->nominal, 0.330);
        EXPECT_DOUBLE_EQ(r->maximum, 0.660);
        EXPECT_FALSE(r->source.empty());
    }
    EXPECT_EQ(xDimensionRangeOf("CODE128"), nullptr);
    EXPECT_EQ(xDimensionRangeOf("EAN"), nullptr);
}

}  // namespace
}  // namespace qv
