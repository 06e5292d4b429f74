#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>
#include <random>

#include "pixel_helpers.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

using test::countColour;
using test::picture;
using test::samePixels;

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kWhite = 0xFFFFFF;

// Every pixel of the bitmap is c exactly inside [x0..x1] x [y0..y1] (clipped), white elsewhere.
::testing::AssertionResult coversInclusive(const Bitmap& bm, TColor c, std::int64_t x0,
                                           std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    for (std::int32_t y = 0; y < bm.height(); ++y) {
        for (std::int32_t x = 0; x < bm.width(); ++x) {
            const bool inside = x >= x0 && x <= x1 && y >= y0 && y <= y1;
            if ((bm.pixel(x, y) == c) != inside) {
                return ::testing::AssertionFailure() << "pixel " << x << "," << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// A thread hands the pixels of one bitmap on to its next: nothing drawn before shows through.
TEST(RasterBitmap, ReusedPixelsStartWhite) {
    struct Case {
        std::int32_t w1, h1, w2, h2;
    };
    const Case cases[] = {{40, 30, 40, 30}, {50, 50, 20, 10}, {10, 10, 60, 70}, {1200, 1000, 5, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w1) + "x" + std::to_string(c.h1));
        {
            Bitmap first(c.w1, c.h1);
            first.canvas().brush.color = 0x123456;
            first.canvas().pen.color = 0x123456;
            const Point box[] = {{0, 0}, {c.w1, 0}, {c.w1, c.h1}, {0, c.h1}};
            first.canvas().polygon(box);
            ASSERT_EQ(first.pixel(c.w1 / 2, c.h1 / 2), 0x123456u);
        }
        Bitmap second(c.w2, c.h2);
        second.canvas().brush.color = 0x0000FF;
        second.canvas().pen.color = 0x0000FF;
        const Point dot[] = {{1, 1}, {2, 1}, {2, 2}, {1, 2}};
        second.canvas().polygon(dot);
        EXPECT_EQ(test::countColour(second, 0xFFFFFF) + test::countColour(second, 0x0000FF),
                  std::int64_t{c.w2} * c.h2);
    }
}

TEST(RasterPolygon, RectangleCoversCornersInclusive) {
    struct Case {
        std::int32_t x0, y0, x1, y1;      // corners as drawn
        std::int64_t ex0, ey0, ex1, ey1;  // expected inclusive coverage
    };
    const Case cases[] = {
        {2, 3, 5, 7, 2, 3, 5, 7},
        {5, 7, 2, 3, 2, 3, 5, 7},          // reversed corners
        {5, 3, 2, 7, 2, 3, 5, 7},          // reversed in x only
        {4, 4, 4, 4, 4, 4, 4, 4},          // one point
        {1, 2, 1, 9, 1, 2, 1, 9},          // zero width
        {-3, -3, 2, 2, -3, -3, 2, 2},      // clipped top-left
        {17, 17, 30, 30, 17, 17, 30, 30},  // clipped bottom-right
        {-5, 5, 25, 6, -5, 5, 25, 6},      // through left and right edges
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
        {INT32_MIN, 3, -1, 4, 0, 0, -1, -1},  // wholly outside
    };
    for (const Case& c : cases) {
        Bitmap bm(20, 20);
        bm.canvas().pen.color = kRed;
        bm.canvas().brush.color = kRed;
        bm.canvas().rectanglePolygon(c.x0, c.y0, c.x1, c.y1);
        EXPECT_TRUE(coversInclusive(bm, kRed, c.ex0, c.ey0, c.ex1, c.ey1))
            << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    }
}

TEST(RasterPolygon, PenOfAnotherColourDrawsTheOutline) {
    Bitmap bm(7, 6);
    Canvas& c = bm.canvas();
    c.brush.color = kRed;
    c.pen.color = kBlue;
    c.rectanglePolygon(1, 1, 5, 4);
    EXPECT_EQ(picture(bm, kBlue),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              ".......\n");
    EXPECT_EQ(countColour(bm, kRed), 3 * 2);

    c.brush.style = BrushStyle::Clear;
    c.pen.color = 0;
    c.rectanglePolygon(0, 0, 6, 5);
    EXPECT_EQ(countColour(bm, kRed), 3 * 2);  // no interior drawn
    EXPECT_EQ(countColour(bm, 0), 2 * 7 + 2 * 4);
}

// Random rectangles, once as four corners (fast path) and once as a five-point polygon that
// repeats its first corner (general path): identical pixels, whatever pen and brush.
TEST(RasterPolygon, FastPathEqualsGeneralPath) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int32_t> coord(-6, 30);
    std::uniform_int_distribution<std::int32_t> pick(0, 3);
    for (int i = 0; i < 2000; ++i) {
        Bitmap fast(24, 20);
        Bitmap general(24, 20);
        const std::int32_t x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const std::int32_t mode = pick(rng);
        for (Bitmap* bm : {&fast, &general}) {
            Canvas& c = bm->canvas();
            c.pen.color = mode == 0 ? kRed : kBlue;
            c.pen.width = pick(rng) == 0 ? 1 + pick(rng) * 2 : 1;
            c.brush.color = kRed;
            c.brush.style = mode == 3 ? BrushStyle::Clear : BrushStyle::Solid;
        }
        general.canvas().pen.width = fast.canvas().pen.width;
        fast.canvas().rectanglePolygon(x0, y0, x1, y1);
        const std::array<Point, 5> five{Point{x0, y0}, Point{x1, y0}, Point{x1, y1}, Point{x0, y1},
                                        Point{x0, y0}};
        general.canvas().polygon(five);
        ASSERT_TRUE(samePixels(fast, general))
            << x0 << "," << y0 << " " << x1 << "," << y1 << " mode " << mode << " pen "
            << fast.canvas().pen.width << "\n"
            << picture(fast, kBlue) << "\n"
            << picture(general, kBlue);
    }
}

TEST(RasterPolygon, TriangleIsFilledWithinItsOutline) {
    Bitmap bm(9, 9);
    Canvas& c = bm.canvas();
    c.brush.color = kRed;
    c.pen.color = kRed;
    const std::array<Point, 3> tri{Point{0, 0}, Point{8, 0}, Point{0, 8}};
    c.polygon(tri);
    for (std::int32_t y = 0; y < 9; ++y) {
        for (std::int32_t x = 0; x < 9; ++x) {
            EXPECT_EQ(bm.pixel(x, y) == kRed, x + y <= 8) << x << "," << y;
        }
    }
}

TEST(RasterLine, OmitsItsLastPoint) {
    struct Case {
        Point a, b;
        std::string picture;
    };
    const Case cases[] = {
        {{1, 1}, {1, 2}, ".....\n.#...\n.....\n.....\n"},
        {{0, 0}, {4, 0}, "####.\n.....\n.....\n.....\n"},
        {{4, 3}, {0, 3}, ".....\n.....\n.....\n.####\n"},
        {{0, 0}, {3, 3}, "#....\n.#...\n..#..\n.....\n"},
        {{2, 2}, {2, 2}, ".....\n.....\n.....\n.....\n"},
        {{-3, 1}, {2, 1}, ".....\n##...\n.....\n.....\n"},
    };
    for (const Case& c : cases) {
        Bitmap bm(5, 4);
        bm.canvas().line(c.a, c.b);
        EXPECT_EQ(picture(bm, 0), c.picture)
            << c.a.x << "," << c.a.y << " " << c.b.x << "," << c.b.y;
    }
}

TEST(RasterLine, HugeCoordinatesAreClippedNotWalked) {
    Bitmap bm(10, 10);
    Canvas& c = bm.canvas();
    c.line({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX});
    // The diagonal through the bitmap, computed without overflow.
    EXPECT_EQ(countColour(bm, 0), 10);
    for (std::int32_t i = 0; i < 10; ++i) EXPECT_EQ(bm.pixel(i, i), 0u);
    c.line({INT32_MAX, 0}, {INT32_MIN, 0});
    EXPECT_EQ(countColour(bm, 0), 19);
    c.pen.width = INT32_MAX;
    c.line({INT32_MIN, 5}, {INT32_MAX, 5});
    EXPECT_EQ(countColour(bm, 0), 100);
}

TEST(RasterPolygon, HugeGeneralPolygonsStayBounded) {
    Bitmap bm(16, 16);
    Canvas& c = bm.canvas();
    c.brush.color = kRed;
    const std::array<Point, 3> tri{Point{INT32_MIN, INT32_MIN}, Point{INT32_MAX, 0},
                                   Point{INT32_MIN, INT32_MAX}};
    c.polygon(tri);
    EXPECT_EQ(countColour(bm, kRed), 16 * 16);
    const std::array<Point, 3> corner{Point{0, 0}, Point{INT32_MAX, 0}, Point{0, INT32_MAX}};
    c.pen.width = 1 << 20;
    c.polygon(corner);
    EXPECT_EQ(countColour(bm, 0), 16 * 16);
    c.polygon({});
}

TEST(RasterPolygon, WidePenIsCentredOnTheOutline) {
    Bitmap bm(9, 9);
    Canvas& c = bm.canvas();
    c.pen.width = 3;
    c.brush.style = BrushStyle::Clear;
    c.rectanglePolygon(2, 2, 6, 6);
    EXPECT_EQ(picture(bm, 0),
              ".........\n"
              ".#######.\n"
              ".#######.\n"
              ".#######.\n"
              ".###.###.\n"
              ".#######.\n"
              ".#######.\n"
              ".#######.\n"
              ".........\n");
}

// Pixels of an ellipse drawn with one colour for pen and brush.
std::unique_ptr<Bitmap> ellipseBitmap(std::int32_t size, std::int32_t l, std::int32_t t,
                                      std::int32_t r, std::int32_t b) {
    auto bm = std::make_unique<Bitmap>(size, size);
    bm->canvas().brush.color = 0;
    bm->canvas().ellipse(l, t, r, b);
    return bm;
}

TEST(RasterEllipse, SmallCasesByHand) {
    struct Case {
        std::int32_t w, h;
        std::string picture;
    };
    const Case cases[] = {
        {2, 2, "##...\n##...\n.....\n.....\n.....\n"},
        {4, 1, "####.\n.....\n.....\n.....\n.....\n"},
        {3, 3, ".#...\n###..\n.#...\n.....\n.....\n"},
        {4, 4, ".##..\n####.\n####.\n.##..\n.....\n"},
        {5, 3, ".###.\n#####\n.###.\n.....\n.....\n"},
        {5, 5, ".###.\n#####\n#####\n#####\n.###.\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(picture(*ellipseBitmap(5, 0, 0, c.w, c.h), 0), c.picture) << c.w << "x" << c.h;
    }
}

TEST(RasterEllipse, RadiiFourAndNineFollowThePixelCentreRule) {
    for (const std::int32_t radius : {4, 9}) {
        const auto owned = ellipseBitmap(24, 1, 2, 1 + 2 * radius, 2 + 2 * radius);
        const Bitmap& bm = *owned;
        for (std::int32_t y = 0; y < 24; ++y) {
            for (std::int32_t x = 0; x < 24; ++x) {
                const double dx = x + 0.5 - (1 + radius);
                const double dy = y + 0.5 - (2 + radius);
                EXPECT_EQ(bm.pixel(x, y) == 0, dx * dx + dy * dy < radius * radius)
                    << "radius " << radius << " at " << x << "," << y;
            }
        }
    }
}

// Any box: inside the box, mirror-symmetric both ways, each row one run, widest in the middle.
TEST(RasterEllipse, ShapeProperties) {
    for (std::int32_t w = 1; w <= 23; ++w) {
        for (std::int32_t h = 1; h <= 23; ++h) {
            const auto owned = ellipseBitmap(26, 1, 1, 1 + w, 1 + h);
            const Bitmap& bm = *owned;
            std::vector<std::int32_t> widths;
            for (std::int32_t y = 0; y < 26; ++y) {
                std::int32_t first = -1, last = -1, count = 0;
                for (std::int32_t x = 0; x < 26; ++x) {
                    const bool on = bm.pixel(x, y) == 0;
                    ASSERT_EQ(bm.pixel(x, y) == 0, bm.pixel(w + 1 - x, y) == 0 && x >= 1 && x <= w)
                        << w << "x" << h << " at " << x << "," << y;
                    if (on) {
                        if (first < 0) first = x;
                        last = x;
                        ++count;
                    }
                    ASSERT_EQ(on, bm.pixel(x, h + 1 - y) == 0 && y >= 1 && y <= h);
                }
                if (y >= 1 && y <= h) {
                    ASSERT_GT(count, 0) << w << "x" << h << " row " << y;
                    ASSERT_EQ(last - first + 1, count);
                    widths.push_back(count);
                } else {
                    ASSERT_EQ(count, 0);
                }
            }
            ASSERT_EQ(widths[static_cast<std::size_t>(h / 2)], w) << w << "x" << h;
            for (std::size_t i = static_cast<std::size_t>(h / 2); i + 1 < widths.size(); ++i) {
                ASSERT_GE(widths[i], widths[i + 1]) << w << "x" << h;
            }
        }
    }
}

TEST(RasterEllipse, OutlineInPenColourAndHugeBoxes) {
    Bitmap bm(12, 12);
    Canvas& c = bm.canvas();
    c.brush.color = kRed;
    c.pen.color = kBlue;
    c.ellipse(1, 1, 11, 11);
    EXPECT_EQ(bm.pixel(1, 6), kBlue);
    EXPECT_EQ(bm.pixel(10, 6), kBlue);
    EXPECT_EQ(bm.pixel(6, 6), kRed);
    EXPECT_EQ(bm.pixel(1, 1), kWhite);
    // Reversed box: the same pixels.
    Bitmap reversed(12, 12);
    reversed.canvas().brush.color = kRed;
    reversed.canvas().pen.color = kBlue;
    reversed.canvas().ellipse(11, 11, 1, 1);
    EXPECT_TRUE(samePixels(bm, reversed));

    Bitmap huge(8, 8);
    huge.canvas().brush.color = kRed;
    huge.canvas().pen.color = kRed;
    huge.canvas().ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(countColour(huge, kRed), 64);
    huge.canvas().ellipse(INT32_MIN, INT32_MIN, -1, -1);
    huge.canvas().ellipse(100, 0, 200000, 10);
}

TEST(RasterCopy, CopiesClippedRectangles) {
    Bitmap src(6, 4);
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 6; ++x) {
            src.pixels()[static_cast<std::size_t>(y * 6 + x)] = static_cast<TColor>(y * 16 + x);
        }
    }
    Bitmap dst(5, 5);
    dst.canvas().copyRect({-1, 2, 4, 6}, src.canvas(), {1, 0, 6, 4});
    // Destination column -1 takes source column 1; source row 0 lands on row 2.
    EXPECT_EQ(dst.pixel(0, 2), 2u);
    EXPECT_EQ(dst.pixel(2, 4), 2u * 16 + 4);
    EXPECT_EQ(dst.pixel(3, 4), 2u * 16 + 5);
    EXPECT_EQ(dst.pixel(4, 4), kWhite);
    EXPECT_EQ(dst.pixel(0, 1), kWhite);
    dst.canvas().copyRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, src.canvas(),
                          {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    // Overlapping copy within one bitmap moves rows down intact.
    src.canvas().copyRect({0, 1, 6, 4}, src.canvas(), {0, 0, 6, 3});
    EXPECT_EQ(src.pixel(3, 1), 3u);
    EXPECT_EQ(src.pixel(3, 3), 2u * 16 + 3);
}

TEST(Bitmap, SizesAreBounded) {
    const Bitmap negative(-5, 10);
    EXPECT_EQ(negative.width(), 0);
    EXPECT_TRUE(negative.pixels().empty());
    EXPECT_EQ(negative.pixel(0, 0), 0u);
    EXPECT_THROW(Bitmap(INT32_MAX, INT32_MAX), std::length_error);
    Bitmap empty(0, 0);
    empty.canvas().rectanglePolygon(-1, -1, 5, 5);
    empty.canvas().ellipse(0, 0, 5, 5);
    empty.canvas().line({0, 0}, {5, 5});
}

}  // namespace
}  // namespace qv
