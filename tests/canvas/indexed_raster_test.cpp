// The 8-bit raster against the 32-bit one: the same drawing calls, in random order and with
// coordinates past the edges, give the same pixels through the palette, on fresh bitmaps (fills
// held back) and on settled ones; and its PNG decodes to the 32-bit raster's pixels.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "image_file.h"
#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/png.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

std::string firstDifference(const Bitmap& wide, const IndexedBitmap& narrow) {
    if (!narrow.exact()) return "not exact";
    const auto indices = narrow.indices();
    const auto pixels = wide.pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (narrow.palette()[indices[i]] != pixels[i]) {
            const auto w = static_cast<std::size_t>(wide.width());
            std::ostringstream at;
            at << '(' << i % w << ", " << i / w << ')';
            return at.str();
        }
    }
    return {};
}

// Random drawing calls, each made on both canvases with the same state.
class Scribbler {
  public:
    Scribbler(std::uint32_t seed, std::int32_t w, std::int32_t h) : rng_(seed), w_(w), h_(h) {}

    void step(Canvas& a, Canvas& b, Canvas& sourceA, Canvas& sourceB) {
        Pen pen{static_cast<std::int32_t>(pick({1, 1, 2, 3, 7})), colour()};
        Brush brush{colour(), chance(4) ? BrushStyle::Clear : BrushStyle::Solid};
        for (Canvas* c : {&a, &b}) {
            c->pen = pen;
            c->brush = brush;
        }
        switch (pick({0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) {
            case 0: {  // any polygon
                std::vector<Point> points(pick({2, 3, 4, 5, 7}));
                for (Point& p : points) p = point();
                both(a, b, [&](Canvas& c) { c.polygon(points); });
                break;
            }
            case 1: {  // rectangles, held back on a fresh bitmap
                const Point p = point(), q = point();
                both(a, b, [&](Canvas& c) { c.rectanglePolygon(p.x, p.y, q.x, q.y); });
                break;
            }
            case 2: {
                const Point p = point(), q = point();
                both(a, b, [&](Canvas& c) { c.ellipse(p.x, p.y, q.x, q.y); });
                break;
            }
            case 3: {
                const Point p = point(), q = chance(3) ? Point{p.x, coordinate(h_)} : point();
                both(a, b, [&](Canvas& c) { c.line(p, q); });
                break;
            }
            case 4: {
                Font font;
                font.height = static_cast<std::int32_t>(pick({8, 13, 21}));
                font.bold = chance(2);
                font.italic = chance(2);
                font.underline = chance(3);
                font.strikeout = chance(4);
                font.color = colour();
                const Point p = point();
                both(a, b, [&](Canvas& c) {
                    c.font = font;
                    c.textOut(p.x, p.y, "Qv 128 Ag");
                });
                break;
            }
            case 5: {
                std::vector<Piece> batch(pick({1, 3, 12}));
                const std::int32_t top = coordinate(h_), bottom = coordinate(h_);
                for (Piece& piece : batch) {
                    const bool rectangle = !chance(4);
                    piece = {rectangle ? Piece::Kind::Rectangle : Piece::Kind::Line, point(),
                             point(), colour()};
                    // Most batches are bars over the same rows.
                    if (rectangle && chance(2)) piece.a.y = top, piece.b.y = bottom;
                }
                both(a, b, [&](Canvas& c) { c.pieces(batch); });
                break;
            }
            case 6: {
                ModuleGrid grid;
                grid.columns = static_cast<std::int32_t>(pick({1, 5, 14}));
                grid.rows = static_cast<std::int32_t>(pick({1, 4, 14}));
                grid.pitch = pick({1, 2, 3, 9});
                grid.left = coordinate(w_);
                grid.top = coordinate(h_);
                std::vector<std::uint8_t> modules(
                    static_cast<std::size_t>(grid.columns * grid.rows));
                for (auto& m : modules) m = chance(2);
                grid.modules = modules;
                grid.dark = colour();
                grid.light = colour();
                both(a, b, [&](Canvas& c) { c.moduleGrid(grid); });
                break;
            }
            case 7: {
                std::vector<std::string> rows(pick({1, 3}));
                for (auto& r : rows)
                    for (int k = 0; k < 15; ++k) r += static_cast<char>('1' + pick({0, 1, 2, 7}));
                BarRows bars;
                bars.rows = rows;
                bars.left = chance(3) ? coordinate(w_) : 0;
                bars.top = coordinate(h_);
                bars.moduleWidth = pick({1, 2, 5});
                bars.rowHeight = pick({0, 3, 20});
                bars.colour = colour();
                both(a, b, [&](Canvas& c) { c.barRows(bars); });
                break;
            }
            case 8: {
                const std::vector<ShapeRow> rows = {{1, 3}, {0, 4}, {0, 4}, {1, 3}, {2, 2}};
                std::vector<Place> places(pick({1, 6}));
                for (Place& p : places) p = {coordinate(w_), coordinate(h_)};
                Stamps stamps{4, rows, places, colour()};
                both(a, b, [&](Canvas& c) { c.stamps(stamps); });
                break;
            }
            case 9: {  // from a canvas of the same width, or of the other
                const Rect to{coordinate(w_), coordinate(h_), coordinate(w_), coordinate(h_)};
                const Rect from{coordinate(w_), coordinate(h_), coordinate(w_), coordinate(h_)};
                const bool self = chance(2);
                a.copyRect(to, self ? a : sourceA, from);
                b.copyRect(to, self ? b : sourceB, from);
                break;
            }
        }
    }
    bool chance(std::uint32_t in) { return rng_() % in == 0; }

  private:
    template <class Draw>
    static void both(Canvas& a, Canvas& b, Draw draw) {
        draw(a);
        draw(b);
    }
    std::int64_t pick(std::initializer_list<std::int64_t> from) {
        return *(from.begin() + rng_() % from.size());
    }
    // Mostly on the bitmap, sometimes past its edges or far away.
    std::int32_t coordinate(std::int32_t extent) {
        const auto r = static_cast<std::int32_t>(rng_() % 16);
        if (r == 0) return -1000000;
        if (r == 1) return 1000000;
        return static_cast<std::int32_t>(rng_() % static_cast<std::uint32_t>(extent + 20)) - 10;
    }
    Point point() { return {coordinate(w_), coordinate(h_)}; }
    TColor colour() {
        static constexpr TColor kColours[] = {0x000000, 0xFFFFFF, 0x123456,
                                              0x00FF00, 0x0000FF, 0x01FFFFFF};
        return kColours[rng_() % std::size(kColours)];
    }

    std::mt19937 rng_;
    std::int32_t w_, h_;
};

TEST(IndexedRaster, RandomDrawingMatchesThe32BitRasterPixelForPixel) {
    struct Case {
        std::int32_t width, height;
        bool settled;  // the pixels were read before the first call
        int steps;
    };
    const Case cases[] = {{64, 48, false, 3}, {64, 48, true, 3},    {97, 31, false, 12},
                          {97, 31, true, 12}, {17, 130, false, 40}, {300, 5, false, 25},
                          {1, 1, false, 10}};
    for (const Case& c : cases) {
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) +
                         (c.settled ? " settled" : " fresh") + " seed " + std::to_string(seed));
            Bitmap wide(c.width, c.height);
            IndexedBitmap narrow(c.width, c.height);
            // Sources for copies across pixel widths, drawn on as well.
            Bitmap wideSource(c.width, c.height);
            IndexedBitmap narrowSource(c.width, c.height);
            if (c.settled) {
                (void)wide.pixels();
                (void)narrow.indices();
            }
            Scribbler scribbler(seed, c.width, c.height);
            for (int i = 0; i < c.steps; ++i) {
                scribbler.step(wideSource.canvas(), narrowSource.canvas(), wideSource.canvas(),
                               narrowSource.canvas());
                scribbler.step(wide.canvas(), narrow.canvas(), narrowSource.canvas(),
                               wideSource.canvas());
                // Reading the pixels mid-way ends the fresh state.
                if (scribbler.chance(8)) (void)narrow.indices(), (void)wide.pixels();
            }
            ASSERT_EQ(firstDifference(wide, narrow), "");
            ASSERT_EQ(wide.canvas().pen, narrow.canvas().pen);
            ASSERT_EQ(wide.canvas().brush, narrow.canvas().brush);
        }
    }
}

TEST(IndexedRaster, SizesAndColoursPastThePalette) {
    EXPECT_THROW(IndexedBitmap(1 << 14, 1 << 14), std::length_error);
    const IndexedBitmap empty(-3, 5);
    EXPECT_EQ(empty.width(), 0);
    EXPECT_TRUE(empty.indices().empty());
    EXPECT_TRUE(encodePng(empty).empty());

    IndexedBitmap narrow(16, 17);
    narrow.canvas().pen.width = 1;
    // White is there from the start: 255 more fit, the next does not.
    for (std::int32_t i = 0; i < 256; ++i) {
        narrow.canvas().pen.color = narrow.canvas().brush.color = 0x10000 + static_cast<TColor>(i);
        narrow.canvas().rectanglePolygon(i % 16, i / 16, i % 16, i / 16);
        EXPECT_EQ(narrow.exact(), i < 255) << i;
    }
    EXPECT_EQ(narrow.palette().size(), 256u);
    EXPECT_EQ(narrow.pixel(0, 0), 0x10000u);
    EXPECT_EQ(narrow.pixel(14, 15), 0x10000u + 254);
    EXPECT_EQ(narrow.pixel(3, 16), 0xFFFFFFu);
    EXPECT_EQ(narrow.pixel(-1, 0), 0u);
}

// A PNG through either raster, decoded by an independent reader.
cli::test::Image decoded(const std::vector<std::uint8_t>& png) {
    cli::test::TempDir dir;
    const std::string path = dir.file("i.png");
    if (png.empty() || !writeFileAtomically(path, png.data(), png.size(), nullptr)) return {};
    return cli::test::readPng(path);
}

TEST(IndexedRaster, PngDecodesToThe32BitRastersPixels) {
    struct Case {
        std::string what;
        std::int32_t width, height;
        std::vector<TColor> colours;  // stripes, one after the other
        TColor background;
    };
    const Case cases[] = {
        {"one colour", 5, 3, {}, 0xFFFFFF},
        {"two, odd width", 29, 7, {0x000000}, 0xFFFFFF},
        {"white drawn over everywhere", 30, 6, {0x00FF00}, 0x202020},
        {"colours alike but for the unused byte", 19, 5, {0xFF000000, 0x000000}, 0xFFFFFF},
        {"four: two bits", 37, 4, {0x0000FF, 0x00FF00, 0xFF0000}, 0xFFFFFF},
        {"six: four bits", 23, 9, {1, 2, 3, 4, 5}, 0xFFFFFF},
        {"twenty: eight bits", 41, 3, std::vector<TColor>(20, 0), 0xFFFFFF},
        // Rows that repeat the one above: compressed by rows, in long matches and runs.
        {"many alike rows, long runs", 700, 60, {0x000000}, 0xFFFFFF},
        {"three colours, alike rows", 301, 40, {0x0000FF, 0x00FF00}, 0xFFFFFF},
        {"twenty over rows too wide to match whole", 33000, 16, std::vector<TColor>(20, 0),
         0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap wide(c.width, c.height);
        IndexedBitmap narrow(c.width, c.height);
        for (Canvas* canvas : {&wide.canvas(), &narrow.canvas()}) {
            canvas->pen.color = canvas->brush.color = c.background;
            canvas->rectanglePolygon(0, 0, c.width, c.height);
            for (std::size_t i = 0; i < c.colours.size(); ++i) {
                const TColor colour =
                    c.what.starts_with("twenty") ? 0x030507 * (i + 1) : c.colours[i];
                canvas->pen.color = canvas->brush.color = colour;
                const auto x = static_cast<std::int32_t>(2 * i + 1);
                canvas->rectanglePolygon(x, 0, x, c.height - 2);
            }
        }
        const auto fromWide = decoded(encodePng(wide));
        const auto fromNarrow = decoded(encodePng(narrow));
        ASSERT_TRUE(fromWide.ok && fromNarrow.ok);
        EXPECT_EQ(fromNarrow.width, fromWide.width);
        EXPECT_EQ(fromNarrow.height, fromWide.height);
        EXPECT_EQ(fromNarrow.rgb, fromWide.rgb);
    }
}

}  // namespace
}  // namespace qv
