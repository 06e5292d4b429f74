#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <vector>

#include "quorvantix/bounds.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

constexpr TColor kWhite = 0xFFFFFF;

TEST(Bounds, WhatCountsAndWhatDoesNot) {
    Bitmap probe(1, 1);
    const std::int32_t zero = probe.canvas().textWidth("0");
    const std::int32_t cell = probe.canvas().textHeight("0");
    struct Case {
        const char* what;
        std::function<void(Canvas&)> draw;
        bool empty;
        Rect bounds;
    };
    const Case cases[] = {
        {"background fill, even in another colour",
         [](Canvas& c) {
             c.brush.color = 0x00FF00;
             c.rectanglePolygon(0, 0, 199, 200);
         },
         true,
         {}},
        {"white on white",
         [](Canvas& c) {
             c.pen.color = kWhite;
             c.rectanglePolygon(5, 5, 9, 9);
             c.ellipse(1, 1, 20, 20);
             c.line({0, 0}, {9, 9});
         },
         true,
         {}},
        {"a bar, corners inclusive",
         [](Canvas& c) { c.rectanglePolygon(10, 20, 12, 30); },
         false,
         {10, 20, 13, 31}},
        {"a white pen still draws a coloured brush",
         [](Canvas& c) {
             c.pen.color = kWhite;
             c.brush.color = 0;
             c.rectanglePolygon(3, 4, 5, 6);
         },
         false,
         {3, 4, 6, 7}},
        {"text counts with its cell, even in the background colour",
         [](Canvas& c) {
             c.font.color = kWhite;
             c.textOut(7, 8, "00");
         },
         false,
         {7, 8, 7 + 2 * zero, 8 + cell}},
        {"one-pixel line",
         [](Canvas& c) {
             c.line({3, 3}, {3, 4});
         },
         false,
         {3, 3, 4, 4}},
        {"union",
         [](Canvas& c) {
             c.ellipse(50, 60, 40, 70);
             c.line({-5, 100}, {0, 100});
         },
         false,
         {-5, 60, 50, 101}},
        {"huge coordinates clamp",
         [](Canvas& c) { c.rectanglePolygon(INT32_MIN, 0, INT32_MAX, 1); },
         false,
         {INT32_MIN, 0, INT32_MAX, 2}},
    };
    for (const Case& c : cases) {
        BoundsCanvas bounds({0, 0, 200, 200}, kWhite);
        c.draw(bounds);
        EXPECT_EQ(bounds.empty(), c.empty) << c.what;
        if (!c.empty) {
            EXPECT_EQ(bounds.bounds(), c.bounds) << c.what;
        }
    }
}

// The measured extent is exactly where the raster changes pixels.
TEST(Bounds, MatchesTheRasterPixels) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::int32_t> coord(2, 37);
    std::uniform_int_distribution<int> kind(0, 2);
    for (int i = 0; i < 300; ++i) {
        Bitmap raster(40, 40);
        BoundsCanvas bounds({0, 0, 40, 40}, kWhite);
        for (int shape = 0; shape < 3; ++shape) {
            const std::int32_t a = coord(rng), b = coord(rng), c = coord(rng), d = coord(rng);
            const int k = kind(rng);
            for (Canvas* cv :
                 {static_cast<Canvas*>(&raster.canvas()), static_cast<Canvas*>(&bounds)}) {
                cv->pen.width = shape == 1 ? 3 : 1;
                if (k == 0) cv->rectanglePolygon(a / 2 + 1, b / 2 + 1, c / 2 + 1, d / 2 + 1);
                if (k == 1) cv->ellipse(a, b, c, d);
                if (k == 2) cv->line({a, b}, {c, d});
            }
        }
        Rect painted{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        bool any = false;
        for (std::int32_t y = 0; y < 40; ++y) {
            for (std::int32_t x = 0; x < 40; ++x) {
                if (raster.pixel(x, y) == kWhite) continue;
                any = true;
                painted = {std::min(painted.left, x), std::min(painted.top, y),
                           std::max(painted.right, x + 1), std::max(painted.bottom, y + 1)};
            }
        }
        ASSERT_EQ(bounds.empty(), !any) << i;
        if (any) {
            ASSERT_EQ(bounds.bounds(), painted) << i;
        }
    }
}

// What BoundsCanvas's own stamps measure equals the one line per row that the default draws,
// clip cuts, empty rows and a shape in the background colour included, pen state too.
class LineByLineBounds : public BoundsCanvas {
  public:
    using BoundsCanvas::BoundsCanvas;
    void stamps(const Stamps& shape) override { Canvas::stamps(shape); }
    void pieces(std::span<const Piece> batch) override { Canvas::pieces(batch); }
    void barRows(const BarRows& bars) override { Canvas::barRows(bars); }
    void moduleGrid(const ModuleGrid& grid) override { Canvas::moduleGrid(grid); }
};

void expectSameMeasure(const BoundsCanvas& fast, const BoundsCanvas& slow) {
    ASSERT_EQ(fast.empty(), slow.empty());
    if (!fast.empty()) {
        EXPECT_EQ(fast.bounds().left, slow.bounds().left);
        EXPECT_EQ(fast.bounds().top, slow.bounds().top);
        EXPECT_EQ(fast.bounds().right, slow.bounds().right);
        EXPECT_EQ(fast.bounds().bottom, slow.bounds().bottom);
    }
    EXPECT_EQ(fast.pen, slow.pen);
    EXPECT_EQ(fast.brush.color, slow.brush.color);
    EXPECT_EQ(fast.brush.style, slow.brush.style);
}

TEST(Bounds, StampsMatchTheirLines) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<std::int32_t> span(-3, 9);
    std::uniform_int_distribution<std::int64_t> place(-12, 45);
    for (int i = 0; i < 400; ++i) {
        std::vector<ShapeRow> rows(static_cast<std::size_t>(span(rng) + 4));
        for (auto& row : rows) row = {span(rng), span(rng)};  // some empty or reversed
        std::vector<Place> places(static_cast<std::size_t>(i % 7));
        for (auto& p : places) p = {place(rng), place(rng)};
        const Stamps shape{12, rows, places, i % 5 == 0 ? kWhite : TColor{0x102030}};
        BoundsCanvas fast({0, 0, 40, 30}, kWhite);
        LineByLineBounds slow({0, 0, 40, 30}, kWhite);
        fast.pen.width = slow.pen.width = 4;
        fast.stamps(shape);
        slow.stamps(shape);
        SCOPED_TRACE(i);
        expectSameMeasure(fast, slow);
    }
}

// Bars, pieces and module grids measured directly equal the rectangles their defaults draw:
// cut by the clip or outside it, in the background colour, negative and huge sizes, a square
// as large as the clip (the background fill, which does not count), and the pen state after.
TEST(Bounds, BatchesMatchTheirRectangles) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::int64_t> at(-20, 50);
    std::uniform_int_distribution<int> small(0, 6);
    const TColor colours[] = {kWhite, 0x000000, 0x3366CC};
    const std::int64_t pitches[] = {1, 2, 3, 7, 29, 40, -2, 0, std::int64_t{1} << 33};
    for (int i = 0; i < 600; ++i) {
        SCOPED_TRACE(i);
        const Rect clip = i % 4 == 0 ? Rect{5, 3, 30, 25} : Rect{0, 0, 40, 30};
        BoundsCanvas fast(clip, kWhite);
        LineByLineBounds slow(clip, kWhite);
        for (BoundsCanvas* c :
             {static_cast<BoundsCanvas*>(&fast), static_cast<BoundsCanvas*>(&slow)}) {
            c->pen = {3, 0x123456};
            c->brush = {0x654321, BrushStyle::Clear};
        }
        const TColor dark = colours[static_cast<std::size_t>(i) % 3];
        const TColor light = colours[static_cast<std::size_t>(i / 3) % 3];
        switch (i % 3) {
            case 0: {
                std::vector<std::uint8_t> modules(
                    static_cast<std::size_t>(small(rng) * small(rng)));
                for (auto& m : modules) m = static_cast<std::uint8_t>(rng() % 3 == 0);
                const std::int32_t columns = small(rng) + 1;
                const ModuleGrid grid{
                    at(rng),
                    at(rng),
                    pitches[static_cast<std::size_t>(i / 9) % std::size(pitches)],
                    columns,
                    modules.empty() ? 0 : static_cast<std::int32_t>(modules.size()) / columns,
                    modules,
                    dark,
                    light};
                fast.moduleGrid(grid);
                slow.moduleGrid(grid);
                break;
            }
            case 1: {
                // Rows of widths only (the usual ones, few so that one row's end shows) and
                // rows with characters that draw nothing.
                const bool widthsOnly = i % 2 == 0;
                std::vector<std::string> rows(widthsOnly ? 1 + rng() % 2
                                                         : static_cast<std::size_t>(small(rng)));
                for (auto& row : rows) {
                    const int n = widthsOnly ? small(rng) + 1 : small(rng) * 2;
                    for (int k = n; k > 0; --k)
                        row += widthsOnly ? "12345678"[rng() % (i % 3 == 0 ? 8 : 3)]
                                          : "123456789x"[rng() % 10];
                }
                const BarRows bars{at(rng),
                                   at(rng),
                                   i % 7 == 0   ? -1
                                   : widthsOnly ? 1 + small(rng) / 4
                                                : small(rng),
                                   i % 11 == 0 ? 35 : small(rng) - 1,
                                   rows,
                                   dark};
                fast.barRows(bars);
                slow.barRows(bars);
                break;
            }
            default: {
                std::vector<Piece> batch(static_cast<std::size_t>(small(rng)));
                for (auto& p : batch) {
                    const auto c = [&] { return static_cast<std::int32_t>(at(rng)); };
                    p = {rng() % 4 == 0 ? Piece::Kind::Line : Piece::Kind::Rectangle,
                         {c(), c()},
                         {c(), c()},
                         colours[rng() % 3]};
                }
                if (i % 8 == 2) batch.push_back({Piece::Kind::Rectangle, {-1, -1}, {40, 30}, dark});
                fast.pieces(batch);
                slow.pieces(batch);
            }
        }
        expectSameMeasure(fast, slow);
    }
}

}  // namespace
}  // namespace qv
