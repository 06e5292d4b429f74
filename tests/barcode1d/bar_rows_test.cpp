// Linear symbols whose bars go to the canvas as one row of module runs, against the same paint
// with every bar its own rectangle: pixels, pen and brush must agree, in 32 and 8 bits, whether
// the row is kept to the end or given up part way.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "barcode1d/canvas_sink.h"
#include "canvas/background_fill.h"
#include "pixel_helpers.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

// Forwards to another canvas; with `batches` false the batch calls take the base class's
// one-call-each defaults, else they are forwarded whole and counted.
class Forward final : public Canvas {
  public:
    Forward(Canvas& target, bool batches) : target_(target), batches_(batches) {
        pen = target.pen;
        brush = target.brush;
    }
    Rect clipRect() const override { return target_.clipRect(); }
    void polygon(std::span<const Point> points) override {
        around([&] { target_.polygon(points); });
    }
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override {
        around([&] { target_.ellipse(l, t, r, b); });
    }
    void line(Point a, Point b) override {
        around([&] { target_.line(a, b); });
    }
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override {
        around([&] { target_.textOut(x, y, text); });
    }
    std::int32_t textWidth(std::string_view text) override {
        target_.font = font;
        return target_.textWidth(text);
    }
    std::int32_t textHeight(std::string_view text) override {
        target_.font = font;
        return target_.textHeight(text);
    }
    void copyRect(const Rect&, Canvas&, const Rect&) override {}
    void pieces(std::span<const Piece> batch) override {
        if (!batches_) return Canvas::pieces(batch);
        around([&] { target_.pieces(batch); });
    }
    void barRows(const BarRows& bars) override {
        if (!batches_) return Canvas::barRows(bars);
        ++barRowCalls;
        around([&] { target_.barRows(bars); });
    }

    int barRowCalls = 0;

  private:
    template <class Call>
    void around(Call call) {
        target_.pen = pen;
        target_.brush = brush;
        target_.font = font;
        call();
        pen = target_.pen;
        brush = target_.brush;
    }
    Canvas& target_;
    bool batches_;
};

struct Case {
    const char* name;
    TSymbology type;
    const char* data;
    std::int32_t x = 2;  // pixels a module
    std::int32_t n = 2;
    std::int32_t gap = 1;  // Code 39 inter-character gap, in modules
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t cut = 0;  // pixels of the symbol's right end beyond the bitmap
    TColor bars = 0;
    TColor back = 0xFFFFFF;
    bool text = false;
    bool drawnBefore = false;  // the bitmap is not fresh
    bool row = true;           // the bars stay one row to the end
};

const Case kCases[] = {
    {.name = "code128", .type = TSymbology::CODE128, .data = "Quorvantix-128 abc/9"},
    {.name = "code39", .type = TSymbology::CODE39, .data = "CODE39 BENCH-2026"},
    {.name = "one pixel", .type = TSymbology::CODE39, .data = "AB-12", .x = 1, .n = 3},
    {.name = "three pixels", .type = TSymbology::CODE128, .data = "x3", .x = 3, .top = 5},
    {.name = "widest module", .type = TSymbology::CODE39, .data = "W", .x = 16},
    {.name = "module too wide", .type = TSymbology::CODE39, .data = "W", .x = 17, .row = false},
    {.name = "wide bars past a digit",
     .type = TSymbology::CODE39,
     .data = "A",
     .n = 9,
     .row = false},
    {.name = "gaps past a digit", .type = TSymbology::CODE39, .data = "G-9", .gap = 11},
    {.name = "gap of a pixel", .type = TSymbology::CODE39, .data = "T1", .gap = 0, .row = false},
    {.name = "gap of a module", .type = TSymbology::CODE39, .data = "T1", .x = 1, .gap = 0},
    {.name = "quiet zone", .type = TSymbology::CODE128, .data = "qz", .left = 9, .top = 3},
    {.name = "cut on the right",
     .type = TSymbology::CODE128,
     .data = "cut",
     .cut = 1,
     .row = false},
    {.name = "cut on the left", .type = TSymbology::CODE39, .data = "L", .left = -1, .row = false},
    {.name = "bars as the background", .type = TSymbology::CODE39, .data = "B", .bars = 0xFFFFFF},
    {.name = "coloured",
     .type = TSymbology::CODE128,
     .data = "c",
     .bars = 0x123456,
     .back = 0x00FF00},
    {.name = "drawn on before", .type = TSymbology::CODE128, .data = "d", .drawnBefore = true},
    {.name = "guards reach into the text",
     .type = TSymbology::EAN13,
     .data = "590123412345",
     .left = 14,
     .text = true,
     .row = false},
    {.name = "guards without text", .type = TSymbology::EAN13, .data = "590123412345"},
};

template <class Raster>
void setUp(Raster& raster, const Case& c) {
    if (!c.drawnBefore) return;
    Canvas& canvas = raster.canvas();
    canvas.pen.color = 0x0000FF;
    canvas.brush.color = 0x00FFFF;
    canvas.ellipse(2, 1, 30, 20);
}

void setUp(TBarcode1D& t, const Case& c) {
    t.barType = c.type;
    t.Code = c.data;
    t.X = c.x;
    t.N = c.n;
    t.I = c.gap;
    t.LeftMargin = c.left;
    t.TopMargin = c.top;
    t.BarHeightPixels = 30;
    t.BarColor = c.bars;
    t.BackColor = c.back;
    t.checkCharacter = c.type != TSymbology::CODE39;
    if (!c.text) t.Font.reset();
}

TEST(LinearBarRows, MatchBarsDrawnOneByOne) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        TBarcode1D probe, reference, ours, eight;
        for (TBarcode1D* t : {&probe, &reference, &ours, &eight}) setUp(*t, c);
        Bitmap wide(3000, 100);
        probe.paintBarcode(wide.canvas());
        const std::int32_t end = static_cast<std::int32_t>(probe.layoutMarks().symbolEnd);
        const std::int32_t width = c.cut > 0 ? end - c.cut : end + 3;
        const std::int32_t height = 30 + c.top + (c.text ? 20 : 2);

        Bitmap single(width, height);
        setUp(single, c);
        Forward oneByOne(single.canvas(), false);
        reference.paintBarcode(oneByOne);

        Bitmap batched(width, height);
        setUp(batched, c);
        Forward counted(batched.canvas(), true);
        ours.paintBarcode(counted);
        EXPECT_EQ(counted.barRowCalls, c.row ? 1 : 0);
        EXPECT_TRUE(test::samePixels(batched, single));
        EXPECT_EQ(counted.pen, oneByOne.pen);
        EXPECT_EQ(counted.brush, oneByOne.brush);

        IndexedBitmap indexed(width, height);
        setUp(indexed, c);
        eight.paintBarcode(indexed.canvas());
        EXPECT_EQ(indexed.canvas().pen, oneByOne.pen);
        EXPECT_EQ(indexed.canvas().brush, oneByOne.brush);
        std::int64_t differing = 0;
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                differing += indexed.pixel(x, y) != single.pixel(x, y);
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

// What encoders can ask of the sink beyond whole symbols: bars that touch, jumps of the drawing
// position, rectangles of their own and bars over other rows.
struct SinkCase {
    const char* name;
    std::function<void(barcode1d::PatternSink&)> draw;
    bool row;
};

const SinkCase kSinkCases[] = {
    {"bars that touch", [](auto& s) { s.drawPattern("bbwb", "n2n1"); }, true},
    {"space past a digit",
     [](auto& s) {
         s.drawPattern("bwb", "n4n");
         s.setX(s.x() + 2 * 19);
         s.drawPattern("bwb", "nnw");
     },
     true},
    {"jump back",
     [](auto& s) {
         s.drawPattern("bwb", "nnn");
         s.setX(s.x() - 6);
         s.drawPattern("bwb", "n1n");
     },
     false},
    {"jump of a pixel",
     [](auto& s) {
         s.drawPattern("bwb", "nnn");
         s.setX(s.x() + 1);
         s.drawPattern("b", "n");
     },
     false},
    {"rectangle over the bars' rows",
     [](auto& s) {
         s.drawPattern("bw", "nn");
         s.fillRectangle(s.x() + 4, 3, 6, 20);
     },
     true},
    {"rectangle over other rows",
     [](auto& s) {
         s.drawPattern("bw", "nn");
         s.fillRectangle(s.x() + 4, 0, 6, 5);
         s.drawPattern("b", "w");
     },
     false},
    {"lowered bars",
     [](auto& s) {
         s.drawPattern("bw", "nn");
         s.drawPatternAt("bwb", "nnn", 4);
     },
     false},
    {"letters that draw nothing", [](auto& s) { s.drawPattern("bbwbb", "n?3xw"); }, true},
    {"a pattern of spaces",
     [](auto& s) {
         s.drawPattern("ww", "nw");
         s.drawPattern("wbw", "4nn");
         s.drawPattern("ww", "44");
         s.drawPattern("b", "1");
     },
     true},
    {"a pattern past the right edge",
     [](auto& s) {
         s.drawPattern("bwb", "nnn");
         s.setX(74);
         s.drawPattern("bwbwb", "nnnnn");
     },
     false},
    {"a bar wholly past the right edge",
     [](auto& s) {
         s.setX(78);
         s.drawPattern("bwb", "nnn");
     },
     true},
    {"guards", [](auto& s) { s.drawGuardPattern("bwb", "nnn", 0); }, true},
    {"guards, then bars",
     [](auto& s) {
         s.drawGuardPattern("bwb", "nnn", 0);
         s.drawPattern("wbwb", "nnnn");
     },
     false},
};

TEST(LinearBarRows, SinkMatchesBarsDrawnOneByOne) {
    for (const SinkCase& c : kSinkCases) {
        SCOPED_TRACE(c.name);
        auto paint = [&](Canvas& canvas) {
            Barcode1DProperties p;
            p.X = 2;
            p.TopMargin = 3;
            p.BarHeightPixels = 20;
            p.Font->height = 6;
            canvas::fillBackground(canvas, p.BackColor, 1);
            barcode1d::CanvasSink sink(canvas, p, 1);
            c.draw(sink);
            sink.flush();
        };
        Bitmap single(80, 32);
        Forward oneByOne(single.canvas(), false);
        paint(oneByOne);
        Bitmap batched(80, 32);
        Forward counted(batched.canvas(), true);
        paint(counted);
        EXPECT_EQ(counted.barRowCalls, c.row ? 1 : 0);
        EXPECT_TRUE(test::samePixels(batched, single));
        EXPECT_EQ(counted.pen, oneByOne.pen);
        EXPECT_EQ(counted.brush, oneByOne.brush);
    }
}

}  // namespace
}  // namespace qv
