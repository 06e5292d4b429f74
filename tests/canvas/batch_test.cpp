// Batches on the raster canvas against the same shapes drawn one call at a time: the pixels and
// the pen and brush left behind must agree, on fresh and on already drawn bitmaps, with clipping
// and extreme coordinates.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "pixel_helpers.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

using test::samePixels;

// Forwards every call to a bitmap's canvas but keeps the batches' one-call-each defaults.
class OneByOne final : public Canvas {
  public:
    explicit OneByOne(Bitmap& bm) : target_(bm.canvas()) {}
    Rect clipRect() const override { return target_.clipRect(); }
    void polygon(std::span<const Point> points) override {
        sync();
        target_.polygon(points);
    }
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override {
        sync();
        target_.ellipse(l, t, r, b);
    }
    void line(Point a, Point b) override {
        sync();
        target_.line(a, b);
    }
    void textOut(std::int32_t, std::int32_t, std::string_view) override {}
    std::int32_t textWidth(std::string_view) override { return 0; }
    std::int32_t textHeight(std::string_view) override { return 0; }
    void copyRect(const Rect&, Canvas&, const Rect&) override {}

  private:
    void sync() {
        target_.pen = pen;
        target_.brush = brush;
    }
    Canvas& target_;
};

constexpr TColor kColours[] = {0x000000, 0xFFFFFF, 0x123456, 0x00FF00};

struct Pair {
    Bitmap batched;
    Bitmap single;
    Pair(std::int32_t w, std::int32_t h, bool settled) : batched(w, h), single(w, h) {
        if (!settled) return;
        (void)batched.pixels();  // reading the pixels ends the fresh state
        (void)single.pixels();
    }
};

// Something drawn before the batch: a background, often outlined in another colour, a few
// rectangles, and sometimes a shape that ends holding fills back.
void drawBefore(Canvas& c, std::mt19937& rng, std::int32_t w, std::int32_t h) {
    c.brush.color = 0xFFFFFE;
    c.pen.color = rng() % 2 ? 0xFFFFFE : 0x000001;
    c.rectanglePolygon(0, 0, w, h);
    for (auto n = rng() % 4; n-- > 0;) {
        const auto x = static_cast<std::int32_t>(rng() % 40) - 3;
        const auto y = static_cast<std::int32_t>(rng() % 40) - 3;
        c.pen.color = c.brush.color = kColours[rng() % std::size(kColours)];
        c.rectanglePolygon(x, y, x + static_cast<std::int32_t>(rng() % 20),
                           y + static_cast<std::int32_t>(rng() % 20));
    }
    if (rng() % 3 == 0) {
        c.pen.color = 0x0000FF;
        c.ellipse(1, 1, w / 2 + 2, h / 2 + 2);
    }
}

// Draws the same on a batching bitmap canvas and one call at a time, after the same start.
template <class Draw>
testing::AssertionResult drawnAlike(std::int32_t w, std::int32_t h, bool settled, std::mt19937& rng,
                                    Draw draw) {
    Pair bitmaps(w, h, settled);
    OneByOne single(bitmaps.single);
    Canvas& batched = bitmaps.batched.canvas();
    std::mt19937 same = rng;
    drawBefore(batched, rng, w, h);
    drawBefore(single, same, w, h);
    draw(batched);
    draw(single);
    if (!samePixels(bitmaps.batched, bitmaps.single))
        return testing::AssertionFailure() << "pixels";
    if (batched.pen != single.pen) return testing::AssertionFailure() << "pen";
    if (batched.brush != single.brush) return testing::AssertionFailure() << "brush";
    return testing::AssertionSuccess();
}

TEST(Batch, PiecesMatchOneCallEach) {
    std::mt19937 rng(17);
    const std::int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX - 1, INT32_MAX};
    for (int i = 0; i < 600; ++i) {
        const auto w = static_cast<std::int32_t>(rng() % 40);
        const auto h = static_cast<std::int32_t>(rng() % 40);
        auto coord = [&] {
            if (rng() % 12 == 0) return extremes[rng() % std::size(extremes)];
            return static_cast<std::int32_t>(rng() % 50) - 5;
        };
        std::vector<Piece> batch(rng() % 60);
        std::int32_t rowTop = coord(), rowBottom = coord();
        for (Piece& p : batch) {
            const auto kind = rng() % 5;
            p.kind = kind == 0 ? Piece::Kind::Line : Piece::Kind::Rectangle;
            p.a = {coord(), coord()};
            p.b = {coord(), coord()};
            if (kind == 1) p.b.y = p.a.y;  // mostly runs and bars, as symbols draw
            if (kind == 0 && rng() % 2) p.b.y = p.a.y;
            if (kind >= 3) {
                // Bars of one row: fills over the same rows, drawn as a group.
                if (rng() % 6 == 0) rowTop = coord(), rowBottom = coord();
                p.a.y = rowTop;
                p.b.y = rowBottom;
            }
            p.colour = kColours[rng() % std::size(kColours)];
        }
        ASSERT_TRUE(drawnAlike(w, h, i % 3 == 0, rng, [&](Canvas& c) { c.pieces(batch); }))
            << "case " << i;
    }
}

// More fills than a fresh bitmap holds back: the rest are drawn at once, in order.
TEST(Batch, LongBatchesKeepThePaintingOrder) {
    const std::int32_t size = 300;
    std::vector<Piece> batch;
    for (std::int32_t k = 0; batch.size() < (std::size_t{1} << 16) + 500; ++k) {
        const std::int32_t x = k % size, y = (k / size) % size;
        batch.push_back({Piece::Kind::Rectangle, {x, y}, {x + 3, y + 2}, kColours[k % 4]});
    }
    Pair bitmaps(size, size, false);
    OneByOne single(bitmaps.single);
    bitmaps.batched.canvas().pieces(batch);
    single.pieces(batch);
    EXPECT_TRUE(samePixels(bitmaps.batched, bitmaps.single));
}

TEST(Batch, ModuleGridsMatchOneSquareEach) {
    std::mt19937 rng(23);
    const std::int64_t extremes[] = {INT32_MIN, -1000, 0, 1000, INT32_MAX};
    for (int i = 0; i < 800; ++i) {
        const auto w = static_cast<std::int32_t>(rng() % 50);
        const auto h = static_cast<std::int32_t>(rng() % 50);
        ModuleGrid grid;
        grid.columns = static_cast<std::int32_t>(rng() % 12) - 1;
        grid.rows = static_cast<std::int32_t>(rng() % 12) - 1;
        grid.pitch = static_cast<std::int64_t>(rng() % 12) - 2;
        if (i % 40 == 0) grid.pitch = INT32_MAX;
        grid.left = static_cast<std::int64_t>(rng() % 40) - 12;
        grid.top = static_cast<std::int64_t>(rng() % 40) - 12;
        if (i % 25 == 0) grid.left = extremes[rng() % std::size(extremes)];
        grid.dark = kColours[rng() % std::size(kColours)];
        grid.light = kColours[rng() % std::size(kColours)];
        std::vector<std::uint8_t> modules(
            static_cast<std::size_t>(std::max(grid.columns, 0) * std::max(grid.rows, 0)));
        for (auto& m : modules) m = static_cast<std::uint8_t>(rng() % 2);
        if (i % 30 == 0 && !modules.empty()) modules.pop_back();  // too few: drawn as far as given
        grid.modules = modules;

        ASSERT_TRUE(drawnAlike(w, h, i % 3 == 0, rng, [&](Canvas& c) { c.moduleGrid(grid); }))
            << "case " << i << ": " << grid.columns << " x " << grid.rows << " pitch " << grid.pitch
            << " at " << grid.left << ", " << grid.top << " on " << w << " x " << h;
    }
}

TEST(Batch, BarRowsMatchOneBarEach) {
    std::mt19937 rng(29);
    const std::int64_t extremes[] = {INT32_MIN, -100, 0, INT32_MAX};
    const TColor background = 0xFFFFFE;  // as drawBefore paints it
    for (int i = 0; i < 1200; ++i) {
        // Wide bitmaps too, so that whole rows fit across.
        const auto w = static_cast<std::int32_t>(rng() % (i % 2 == 0 ? 60 : 400));
        const auto h = static_cast<std::int32_t>(rng() % 40);
        std::vector<std::string> rows(rng() % 8);
        for (std::string& row : rows) {
            for (auto n = rng() % 12; n-- > 0;) {
                row += rng() % 10 == 0 ? static_cast<char>('0' + rng() % 2 * 9) : '1' + rng() % 8;
            }
        }
        BarRows bars;
        bars.left = static_cast<std::int64_t>(rng() % 50) - 20;
        bars.top = static_cast<std::int64_t>(rng() % 40) - 10;
        if (i % 30 == 0) bars.top = extremes[rng() % std::size(extremes)];
        bars.moduleWidth = static_cast<std::int64_t>(rng() % 6) - 1;
        if (i % 7 == 0) bars.moduleWidth = 2 + rng() % 18;  // runs longer than a fixed store
        if (i % 50 == 0) bars.left = extremes[rng() % std::size(extremes)];
        bars.rowHeight = static_cast<std::int64_t>(rng() % 10) - 2;
        bars.rows = rows;
        bars.colour = i % 11 == 0 ? background : kColours[rng() % std::size(kColours)];
        ASSERT_TRUE(drawnAlike(w, h, i % 3 == 0, rng, [&](Canvas& c) { c.barRows(bars); }))
            << "case " << i << ": module " << bars.moduleWidth << " row " << bars.rowHeight
            << " at " << bars.left << ", " << bars.top << " on " << w << " x " << h;
    }
}

TEST(Batch, StampsMatchOneLineEach) {
    std::mt19937 rng(31);
    const std::int64_t extremes[] = {INT32_MIN, -40, INT32_MAX, std::int64_t{1} << 40};
    for (int i = 0; i < 800; ++i) {
        const auto w = static_cast<std::int32_t>(rng() % 50);
        const auto h = static_cast<std::int32_t>(rng() % 50);
        Stamps shape;
        shape.width = static_cast<std::int32_t>(rng() % 10);
        if (i % 10 == 0) shape.width = static_cast<std::int32_t>(17 + rng() % 15);  // wide rows
        // Mostly rows within the shape's width, as a pattern has; some reach past it.
        std::vector<ShapeRow> rows(rng() % 10);
        for (ShapeRow& row : rows) {
            const std::int32_t span = rng() % 8 == 0 ? 16 : shape.width + 1;
            row.from = static_cast<std::int32_t>(rng() % span) - (rng() % 8 == 0 ? 4 : 0);
            row.to = static_cast<std::int32_t>(rng() % span);
        }
        std::vector<Place> places(rng() % 20);
        for (Place& at : places) {
            at.x = static_cast<std::int64_t>(rng() % 60) - 10;
            at.y = static_cast<std::int64_t>(rng() % 60) - 10;
            if (rng() % 25 == 0) at.x = extremes[rng() % std::size(extremes)];
            if (rng() % 25 == 0) at.y = extremes[rng() % std::size(extremes)];
        }
        shape.rows = rows;
        shape.places = places;
        shape.colour = kColours[rng() % std::size(kColours)];
        ASSERT_TRUE(drawnAlike(w, h, i % 3 == 0, rng, [&](Canvas& c) { c.stamps(shape); }))
            << "case " << i;
    }
}

}  // namespace
}  // namespace qv
