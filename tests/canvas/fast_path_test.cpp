// The raster canvas's fast paths against the plain scan conversion they stand in for: every
// shortcut must give the same pixels, clipping and extreme coordinates included.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <vector>

#include "canvas/raster_canvas.h"
#include "canvas/raster_shapes.h"
#include "canvas/surface.h"
#include "pixel_helpers.h"
#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

using test::picture;
using test::samePixels;

constexpr TColor kInk = 0x123456;

canvas::Surface surfaceOf(Bitmap& bm) {
    return {bm.pixels().data(), bm.width(), bm.height()};
}

// Horizontal and vertical one-pixel lines are filled as runs; the general line walk decides.
TEST(FastPath, AxisAlignedLinesMatchTheLineWalk) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::int32_t> coord(-8, 28);
    std::uniform_int_distribution<std::int32_t> pick(0, 3);
    const std::int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1,       0, 19,
                                     20,        INT32_MAX - 1, INT32_MAX};
    std::uniform_int_distribution<std::size_t> extreme(0, std::size(extremes) - 1);
    auto value = [&] { return pick(rng) == 0 ? extremes[extreme(rng)] : coord(rng); };
    for (int i = 0; i < 4000; ++i) {
        const bool horizontal = pick(rng) < 2;
        const std::int32_t fixed = value();
        Point a{value(), fixed};
        Point b{value(), fixed};
        if (!horizontal) {
            a = {fixed, a.x};
            b = {fixed, b.x};
        }
        Bitmap fast(20, 20);
        Bitmap walked(20, 20);
        fast.canvas().pen.color = kInk;
        fast.canvas().line(a, b);
        canvas::drawThinLine(surfaceOf(walked), {a.x, a.y}, {b.x, b.y}, kInk);
        ASSERT_TRUE(samePixels(fast, walked))
            << a.x << "," << a.y << " -> " << b.x << "," << b.y << "\n"
            << picture(fast, kInk) << "\n"
            << picture(walked, kInk);
    }
}

// A fresh bitmap holds rectangle fills back and writes them band by band; one whose pixels were
// read first draws each fill at once. Random sequences of rectangles, with full covers, other
// shapes in between and more fills than are ever held, must come out the same.
TEST(FastPath, HeldFillsMatchDirectFills) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<std::int32_t> size(0, 60);
    std::uniform_int_distribution<std::int32_t> pick(0, 9);
    const TColor colours[] = {0, kInk, 0xFFFFFF, 0x00FF00};
    for (int i = 0; i < 400; ++i) {
        const std::int32_t w = size(rng), h = size(rng);
        Bitmap held(w, h);
        Bitmap direct(w, h);
        ASSERT_EQ(direct.pixels().size(), static_cast<std::size_t>(w) * h);  // settles it
        std::uniform_int_distribution<std::int32_t> coord(-5, std::max(w, h) + 5);
        const std::size_t count =
            i % 50 == 0 ? canvas::RasterCanvas::kMaxHeld + 300 : std::size_t(1) + pick(rng) * 4;
        for (std::size_t k = 0; k < count; ++k) {
            const std::int32_t x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
            const int what = pick(rng);
            const TColor pen = colours[pick(rng) % 4], fill = colours[pick(rng) % 4];
            const std::int32_t penWidth = what == 1 ? 3 : 1;
            const bool clear = what == 2;
            const bool whole = what == 3 && k % 3 == 0;
            const bool diagonal = what == 4 && k % 7 == 0;
            for (Bitmap* bm : {&held, &direct}) {
                Canvas& c = bm->canvas();
                c.pen.color = pen;
                c.pen.width = penWidth;
                c.brush.color = fill;
                c.brush.style = clear ? BrushStyle::Clear : BrushStyle::Solid;
                if (whole) {
                    c.rectanglePolygon(-1, 0, w, h + 3);
                } else if (diagonal) {
                    c.line({x0, y0}, {x1, y1});
                } else {
                    c.rectanglePolygon(x0, y0, x1, y1);
                }
            }
        }
        ASSERT_TRUE(samePixels(held, direct)) << "case " << i << ", " << w << " x " << h;
    }
}

// Tall bands with a narrow border are filled whole and the border written after, row by row:
// band heights and border widths on both sides of where that starts, against direct fills.
TEST(FastPath, BorderedBandsMatchDirectFills) {
    struct Case {
        std::int32_t w, h, penWidth;
    };
    const Case cases[] = {{8, 7, 1},  {8, 8, 1},   {8, 9, 1},     {16, 20, 2}, {16, 20, 3},
                          {40, 9, 5}, {40, 30, 6}, {210, 200, 1}, {3, 12, 1},  {1, 40, 1}};
    for (const Case& k : cases) {
        for (const bool tail : {false, true}) {
            Bitmap held(k.w, k.h);
            Bitmap direct(k.w, k.h);
            ASSERT_FALSE(direct.pixels().empty());  // settles it
            for (Bitmap* bm : {&held, &direct}) {
                Canvas& c = bm->canvas();
                c.pen.color = kInk;
                c.pen.width = k.penWidth;
                c.brush.color = 0xFFFFFF;
                c.rectanglePolygon(0, 0, k.w, k.h);  // the background with its pen's border
                // A narrow bar down the middle as well: more than the border on those rows.
                c.pen.width = 1;
                if (tail) c.rectanglePolygon(k.w / 2, 2, k.w / 2, k.h - 3);
            }
            ASSERT_TRUE(samePixels(held, direct))
                << k.w << " x " << k.h << ", pen " << k.penWidth << (tail ? ", bar" : "");
        }
    }
}

// A fresh bitmap is white, whether read at once or after a copy from it.
TEST(FastPath, FreshBitmapsAreWhiteWhereverRead) {
    Bitmap source(5, 4);
    Bitmap target(5, 4);
    target.canvas().copyRect({0, 0, 5, 4}, source.canvas(), {0, 0, 5, 4});
    for (const Bitmap* bm : {&source, &target}) {
        for (const std::uint32_t p : bm->pixels()) ASSERT_EQ(p, 0xFFFFFFu);
    }
    EXPECT_EQ(Bitmap(3, 3).pixel(2, 2), 0xFFFFFFu);
}

// Shapes drawn one over another, as a bullseye's rings are: any run of ellipses (nested,
// off-centre, overlapping, cut by the edges, of one or two colours) with rectangles and reads
// between gives each shape's pixels over those before it, as each shape drawn alone shows them.
template <class Raster>
void checkShapesOverOneAnother(std::uint32_t seed) {
    std::mt19937 rng(seed);
    const TColor colours[] = {0x000000, 0x0000FF, 0x00FF00, 0x123456};
    const auto colour = [&] { return colours[rng() % std::size(colours)]; };
    for (int i = 0; i < 300; ++i) {
        const auto side = static_cast<std::int32_t>(12 + rng() % 70);
        struct Shape {
            int kind;  // 0 ellipse, 1 rectangle, 2 a read of the pixels
            std::int32_t l, t, r, b;
            TColor pen, brush;
        };
        std::vector<Shape> shapes;
        std::int32_t l = static_cast<std::int32_t>(rng() % side) - side / 4;
        std::int32_t t = static_cast<std::int32_t>(rng() % side) - side / 4;
        std::int32_t r = l + 3 + static_cast<std::int32_t>(rng() % side);
        std::int32_t b = t + 3 + static_cast<std::int32_t>(rng() % side);
        for (std::size_t n = 1 + rng() % 8; n-- > 0;) {
            const int kind = rng() % 6 == 0 ? 1 + static_cast<int>(rng() % 2) : 0;
            const TColor pen = colour();
            shapes.push_back({kind, l, t, r, b, pen, rng() % 4 == 0 ? colour() : pen});
            // Mostly the next ring inward, now and then off-centre or anywhere.
            const auto in = [&] { return static_cast<std::int32_t>(rng() % 6); };
            switch (rng() % 4) {
                case 3:
                    l = static_cast<std::int32_t>(rng() % side) - side / 4;
                    t = static_cast<std::int32_t>(rng() % side) - side / 4;
                    r = l + 3 + static_cast<std::int32_t>(rng() % side);
                    b = t + 3 + static_cast<std::int32_t>(rng() % side);
                    break;
                case 2: {
                    const std::int32_t dx = in() - 2, dy = in() - 2;
                    l += dx, r += dx, t += dy, b += dy;
                    break;
                }
                default: {
                    const std::int32_t d = in();
                    l += d, t += d, r -= d, b -= d;
                }
            }
        }
        Raster all(side, side);
        std::vector<TColor> expected(static_cast<std::size_t>(side * side), 0xFFFFFF);
        for (const Shape& shape : shapes) {
            const auto draw = [&](Canvas& c) {
                c.pen.color = shape.pen;
                c.brush.color = shape.brush;
                if (shape.kind == 0) c.ellipse(shape.l, shape.t, shape.r, shape.b);
                if (shape.kind == 1) c.rectanglePolygon(shape.l, shape.t, shape.r, shape.b);
            };
            if (shape.kind == 2) {
                (void)all.pixel(0, 0);
                continue;
            }
            draw(all.canvas());
            Raster alone(side, side);
            draw(alone.canvas());
            for (std::int32_t y = 0; y < side; ++y) {
                for (std::int32_t x = 0; x < side; ++x) {
                    const TColor p = alone.pixel(x, y);
                    if (p != 0xFFFFFF) expected[static_cast<std::size_t>(y * side + x)] = p;
                }
            }
        }
        for (std::int32_t y = 0; y < side; ++y) {
            for (std::int32_t x = 0; x < side; ++x) {
                ASSERT_EQ(all.pixel(x, y), expected[static_cast<std::size_t>(y * side + x)])
                    << "case " << i << " at " << x << ", " << y;
            }
        }
    }
}

TEST(FastPath, ShapesPaintOverOneAnother) {
    checkShapesOverOneAnother<Bitmap>(43);
    checkShapesOverOneAnother<IndexedBitmap>(47);
}

}  // namespace
// Repeating a row writes exact copies below it, and nothing outside the rows asked for, however
// the doubling and the block of copies split them (widths from 1 to past the block).
TEST(FastPath, RepeatedRowsAreExactCopies) {
    std::mt19937 rng(5);
    for (int i = 0; i < 400; ++i) {
        const std::int64_t w = i % 10 == 0 ? 2048 + rng() % 3000 : 1 + rng() % 700;
        const std::int64_t h = 1 + rng() % 60;
        std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h));
        for (auto& p : px) p = rng();
        const std::vector<std::uint32_t> before = px;
        const std::int64_t first = static_cast<std::int64_t>(rng() % (h + 2)) - 1;
        const std::int64_t end = first + static_cast<std::int64_t>(rng() % (h + 2));
        canvas::Surface{px.data(), w, h}.repeatRow(first, end);
        const std::int64_t from = std::max<std::int64_t>(first, 0);
        const std::int64_t to = std::min(end, h);
        for (std::int64_t y = 0; y < h; ++y) {
            const bool copy = y > from && y < to;
            const auto* source = (copy ? before.data() + from * w : before.data() + y * w);
            ASSERT_TRUE(std::equal(source, source + w, px.data() + y * w))
                << "row " << y << " of " << w << " x " << h << ", repeating " << first << " to "
                << end;
        }
    }
}

// An ellipse wholly inside is written without clipping, from shapes kept per size: the same
// pixels as the clipped path gives for the same ellipse partly outside, over more sizes than are
// kept, so that kept shapes are also replaced.
TEST(FastPath, EllipsesInsideMatchClippedOnes) {
    std::mt19937 rng(9);
    for (int i = 0; i < 300; ++i) {
        const std::int32_t w = 3 + static_cast<std::int32_t>(rng() % 40);
        const std::int32_t h = 3 + static_cast<std::int32_t>(rng() % 40);
        const std::int32_t shift = 1 + static_cast<std::int32_t>(rng() % 3);
        Bitmap inside(w + 2, h + 2), clipped(w + 2, h + 2);
        for (Bitmap* bm : {&inside, &clipped}) {
            bm->canvas().pen.color = 0x0000FF;
            bm->canvas().brush.color = i % 2 == 0 ? 0x0000FF : 0x00FF00;
        }
        inside.canvas().ellipse(1, 1, 1 + w, 1 + h);
        // The same ellipse, its box starting above and left of the bitmap.
        clipped.canvas().ellipse(1 - shift, 1 - shift, 1 - shift + w, 1 - shift + h);
        for (std::int32_t y = shift; y < h + 2; ++y) {
            for (std::int32_t x = shift; x < w + 2; ++x) {
                ASSERT_EQ(inside.pixel(x, y), clipped.pixel(x - shift, y - shift))
                    << w << " x " << h << " at " << x << ", " << y;
            }
        }
    }
}

// An ellipse of one colour is drawn row by row from its cover: the pixels that its interior and
// outline in two colours cover together, inside the bitmap or cut by any edge, for sizes with
// and without kept shapes.
TEST(FastPath, OneColourEllipsesCoverFillAndOutline) {
    std::mt19937 rng(23);
    for (int i = 0; i < 400; ++i) {
        const std::int32_t w = 3 + static_cast<std::int32_t>(rng() % (i % 8 == 0 ? 300 : 60));
        const std::int32_t h = 3 + static_cast<std::int32_t>(rng() % (i % 8 == 0 ? 300 : 60));
        const std::int32_t side = std::max(w, h) + 4;
        // Mostly inside; every fourth box sticks out of some edge.
        const auto at = [&](std::int32_t extent) {
            return i % 4 == 0 ? static_cast<std::int32_t>(rng() % (2 * extent)) - extent
                              : static_cast<std::int32_t>(rng() % (side - extent));
        };
        const std::int32_t l = at(w);
        const std::int32_t t = at(h);
        Bitmap one(side, side), two(side, side);
        one.canvas().pen.color = one.canvas().brush.color = 0xFF0000;
        two.canvas().pen.color = 0x0000FF;
        two.canvas().brush.color = 0x00FF00;
        one.canvas().ellipse(l, t, l + w, t + h);
        two.canvas().ellipse(l, t, l + w, t + h);
        const auto a = one.pixels();
        const auto b = two.pixels();
        for (std::size_t k = 0; k < a.size(); ++k) {
            ASSERT_EQ(a[k] == 0xFF0000, b[k] != 0xFFFFFF)
                << w << " x " << h << " at " << l << ", " << t << ", pixel " << k;
        }
    }
}

}  // namespace qv
