#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "maxicode/hexagon.h"
#include "maxicode/layout.h"
#include "maxicode/module_map.h"

namespace qv::maxicode {
namespace {

TEST(MaxiLayout, Examples) {
    struct Case {
        std::int32_t resolution;
        double size;
        std::int32_t w, h, v;
        bool accepted;
        std::array<std::int32_t, 6> radii;
        std::int32_t cx, cy, gap, width, height;
    };
    const Case cases[] = {
        {200, 25.5, 7, 8, 6, true, {4, 9, 15, 20, 26, 31}, 101, 100, 1, 210, 200},
        {200, 24, 7, 8, 6, true, {4, 9, 15, 20, 26, 31}, 101, 100, 1, 210, 200},
        {200, 27, 7, 8, 6, true, {4, 9, 15, 20, 26, 31}, 101, 100, 1, 210, 200},
        {300, 25.5, 10, 12, 9, true, {6, 14, 22, 30, 38, 46}, 145, 150, 1, 300, 300},
        {400, 25.5, 14, 16, 12, true, {8, 19, 30, 40, 51, 62}, 203, 200, 2, 420, 400},
        {500, 25.5, 18, 21, 16, true, {10, 24, 37, 51, 64, 77}, 261, 266, 2, 540, 533},
        {600, 25.5, 21, 24, 18, true, {12, 28, 45, 61, 77, 93}, 304, 300, 3, 630, 600},
        {1200, 25.5, 42, 48, 36, true, {24, 57, 89, 121, 154, 186}, 609, 600, 6, 1260, 1200},
        // Neither 3 nor 4 passes: 4 is drawn, and the finder and size follow it.
        {96, 25.5, 4, 5, 3, false, {2, 5, 7, 10, 12, 15}, 58, 50, 0, 120, 101},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.resolution) + " dpi, " + std::to_string(c.size) + " mm");
        const Layout l = computeLayout(c.size, c.resolution, Layout{});
        EXPECT_EQ(l.W, c.w);
        EXPECT_EQ(l.HHexagon, c.h);
        EXPECT_EQ(l.V, c.v);
        EXPECT_EQ(l.accepted, c.accepted);
        EXPECT_EQ(l.radii, c.radii);
        EXPECT_EQ(l.cx, c.cx);
        EXPECT_EQ(l.cy, c.cy);
        EXPECT_EQ(l.gap, c.gap);
        EXPECT_EQ(l.preferredWidth, c.width);
        EXPECT_EQ(l.preferredHeight, c.height);
    }
}

TEST(MaxiLayout, HugeValuesStayInRange) {
    for (const auto& [size, resolution] : std::vector<std::pair<double, std::int32_t>>{
             {1e300, 200}, {25.5, INT32_MAX}, {1e-300, 200}, {1e-300, INT32_MAX}, {0.01, 1}}) {
        const Layout l = computeLayout(size, resolution, Layout{});
        EXPECT_GE(l.W, 1);
        EXPECT_LE(l.W, kMaxHexagonWidth);
        EXPECT_GE(l.V, 1);
        EXPECT_GT(l.preferredWidth, 0);
        EXPECT_GT(l.preferredHeight, 0);
        EXPECT_GE(l.radii[0], 0);
    }
}

TEST(MaxiModuleMap, EveryBitOnce) {
    const auto& map = moduleMap();
    std::map<int, int> seen;
    int dark = 0, light = 0;
    for (const auto& column : map)
        for (const auto cell : column) {
            if (cell == -1) ++dark;
            if (cell == 0) ++light;
            if (cell > 0) ++seen[cell];
        }
    EXPECT_EQ(dark, 13);
    EXPECT_EQ(light, 113);
    ASSERT_EQ(seen.size(), 864U);
    EXPECT_EQ(seen.begin()->first, 1);
    EXPECT_EQ(seen.rbegin()->first, 864);
    for (const auto& [bit, count] : seen) EXPECT_EQ(count, 1) << bit;
}

TEST(MaxiModuleMap, Cells) {
    struct Case {
        int column, row, cell;
    };
    const Case cases[] = {
        {28, 0, -1},   {29, 0, -1},                  // top right, always dark
        {0, 0, 122},   {1, 0, 121},   {27, 2, 203},  // codeword 21 and 34 of the first run
        {28, 1, 817},  {29, 2, 818},  {29, 4, 821},  // right edge, codeword 137
        {28, 29, 859}, {29, 32, 863}, {28, 32, 864}, {6, 9, 392},
        {21, 23, 119}, {19, 15, 1},   {19, 17, 2},   {16, 9, 3},  // around the bullseye
        {10, 9, -1},   {7, 15, -1},   {8, 16, -1},   {20, 16, -1},
        {17, 23, -1},  {13, 16, 0},   {29, 1, 0},    {29, 3, 0},
    };
    const auto& map = moduleMap();
    for (const auto& c : cases)
        EXPECT_EQ(map[static_cast<std::size_t>(c.column)][static_cast<std::size_t>(c.row)], c.cell)
            << c.column << "," << c.row;
}

// The row-by-row lookup a paint uses says dark exactly where the map does, for every bit set.
TEST(MaxiModuleMap, CellBitsFollowTheMap) {
    const auto& map = moduleMap();
    const auto& bits = cellBits();
    for (std::size_t c = 0; c < map.size(); ++c) {
        for (std::size_t r = 0; r < map[c].size(); ++r) {
            const int cell = map[c][r];
            const std::uint8_t codeword = bits[r].codeword[c];
            const std::uint8_t mask = bits[r].mask(c);
            if (cell <= 0) {
                EXPECT_EQ(codeword == kAlwaysDark && mask != 0, cell == -1) << c << "," << r;
                EXPECT_EQ(mask == 0, cell == 0) << c << "," << r;
                continue;
            }
            EXPECT_EQ(codeword, (cell - 1) / 6) << c << "," << r;
            EXPECT_EQ(mask, 32 >> ((cell - 1) % 6)) << c << "," << r;
        }
    }
    // The padding is never dark.
    for (const CellRow& row : bits) {
        for (std::size_t c = map.size(); c < kPaddedColumns; ++c) EXPECT_EQ(row.mask(c), 0) << c;
    }
}

// The generated shape as a matrix, cell by cell, the straightforward way.
std::vector<std::string> generatedMatrix(int h, int w, int g) {
    std::vector<std::string> p(static_cast<std::size_t>(h),
                               std::string(static_cast<std::size_t>(w), '0'));
    const int r = h - g, c = w - g;
    if (r <= 0 || c <= 0) return p;
    std::vector<std::string> inner(static_cast<std::size_t>(r),
                                   std::string(static_cast<std::size_t>(c), '1'));
    const int k = (c - c / 3) / 2;
    const auto clear = [&](int row, int col) {
        if (row >= 0 && row < r && col >= 0 && col < c)
            inner[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = '0';
    };
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < k - i; ++j) {
            clear(j, i);
            clear(j, c - 1 - i);
            clear(r - 1 - j, i);
            clear(r - 1 - j, c - 1 - i);
        }
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            p[static_cast<std::size_t>(g + i)][static_cast<std::size_t>(g + j)] =
                inner[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    return p;
}

std::vector<std::string> patternMatrix(const HexagonPattern& p) {
    std::vector<std::string> m;
    for (int r = 0; r < p.height(); ++r) {
        std::string row(static_cast<std::size_t>(p.width()), '0');
        const auto span = p.row(r);
        for (int x = span.from; x < span.to; ++x) row[static_cast<std::size_t>(x)] = '1';
        m.push_back(row);
    }
    return m;
}

TEST(MaxiHexagon, GeneratedShapeMatchesTheCellRule) {
    struct Case {
        int w, h, g;
    };
    const Case cases[] = {{42, 48, 6}, {11, 13, 1}, {4, 5, 0}, {1, 1, 0},   {3, 3, 0},
                          {5, 5, 5},   {5, 9, 7},   {9, 2, 0}, {30, 35, 4}, {8, 9, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " gap " +
                     std::to_string(c.g));
        const auto p = HexagonPattern::choose(c.w, c.h, c.w, c.g);
        EXPECT_FALSE(p.predefined());
        EXPECT_EQ(patternMatrix(p), generatedMatrix(c.h, c.w, c.g));
    }
}

TEST(MaxiHexagon, DrawnSizes) {
    struct Case {
        int wHexagon, hHexagon, rows, columns;
        std::string_view middleRow;
        int dark;
    };
    const Case cases[] = {
        {7, 8, 8, 7, "0111111", 30},
        {10, 12, 12, 10, "0111111111", 66},
        {14, 16, 16, 14, "00111111111111", 132},
        {18, 21, 20, 17, "00011111111111111", 182},
        {21, 24, 24, 20, "00011111111111111111", 281},
    };
    for (const auto& c : cases) {
        const auto p = HexagonPattern::choose(c.wHexagon, c.hHexagon, 1, 99);
        EXPECT_TRUE(p.predefined());
        ASSERT_EQ(p.height(), c.rows);
        ASSERT_EQ(p.width(), c.columns);
        EXPECT_EQ(patternMatrix(p)[static_cast<std::size_t>(c.rows / 2)], c.middleRow);
        int dark = 0;
        for (int r = 0; r < c.rows; ++r) dark += p.row(r).to - p.row(r).from;
        EXPECT_EQ(dark, c.dark);
    }
    // Negative sizes give an empty pattern.
    const auto empty = HexagonPattern::choose(-5, -7, -3, -1);
    EXPECT_EQ(empty.height(), 0);
    EXPECT_EQ(empty.width(), 0);
    EXPECT_EQ(empty.row(0).to, 0);
}

}  // namespace
}  // namespace qv::maxicode
