#include <gtest/gtest.h>

#include <algorithm>

#include "barcode1d/canvas_sink.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/raster.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

using Kind = DrawCall::Kind;

std::vector<DrawCall> callsOf(const RecordingCanvas& c, Kind kind) {
    std::vector<DrawCall> out;
    std::copy_if(c.calls.begin(), c.calls.end(), std::back_inserter(out),
                 [&](const DrawCall& d) { return d.kind == kind; });
    return out;
}

// Columns x0..x1, rows y0..y1 of an axis-aligned polygon call.
Rect span(const DrawCall& d) {
    const auto [x0, x1] = std::minmax({d.points[0].x, d.points[1].x});
    const auto [y0, y1] = std::minmax({d.points[0].y, d.points[2].y});
    return {x0, y0, x1, y1};
}

TEST(Barcode1DControl, DefaultControl) {
    TBarcode1D c;
    Bitmap bmp(200, 200);
    c.paintBarcode(bmp.canvas());
    EXPECT_EQ(c.L, 129);
    EXPECT_EQ(c.BarHeightPixels, 58);
    EXPECT_EQ(c.codeText, "1234567S");
    EXPECT_EQ(c.layoutMarks().symbolEnd, 20 + 129);
    EXPECT_TRUE(c.notes().empty());
    // The start character's first bar: rows 20 to 78.
    EXPECT_EQ(bmp.pixel(20, 19), 0xFFFFFFu);
    EXPECT_EQ(bmp.pixel(20, 20), 0u);
    EXPECT_EQ(bmp.pixel(20, 78), 0u);
    EXPECT_EQ(bmp.pixel(20, 79), 0xFFFFFFu);
    EXPECT_EQ(bmp.pixel(19, 50), 0xFFFFFFu);
    // The background's outline keeps the canvas's black pen.
    EXPECT_EQ(bmp.pixel(0, 100), 0u);
    EXPECT_EQ(bmp.pixel(199, 0), 0u);

    RecordingCanvas rec;
    c.paintBarcode(rec);
    const auto polys = callsOf(rec, Kind::Polygon);
    ASSERT_FALSE(polys.empty());
    EXPECT_EQ(polys[0].points, (std::vector<Point>{{0, 0}, {199, 0}, {199, 200}, {0, 200}}));
    EXPECT_EQ(polys[0].brush.color, 0xFFFFFFu);
    EXPECT_EQ(span(polys[1]), (Rect{20, 20, 20, 78}));
    const auto texts = callsOf(rec, Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "1234567S");
    EXPECT_EQ(texts[0].points[0].y, 83);
    const std::int32_t tw = rec.textWidth("1234567S");
    EXPECT_EQ(texts[0].points[0].x, 20 + (129 - tw) / 2);
    EXPECT_EQ(texts[0].brush.color, 0xFFFFFFu);
}

TEST(Barcode1DControl, ComputedBarHeightIsKept) {
    TBarcode1D c;
    RecordingCanvas rec;
    c.paintBarcode(rec);
    c.Code = "12345678901234567890";
    c.paintBarcode(rec);
    EXPECT_EQ(c.BarHeightPixels, 58);
    EXPECT_GT(c.L, 129);
}

TEST(Barcode1DControl, PatternWidthsAndSkips) {
    struct Case {
        std::string colours, widths;
        std::vector<std::int32_t> bars;  // first and last column of each bar
        std::int64_t advance;
    };
    const Case cases[] = {
        {"bbb", "nw3", {0, 1, 2, 7, 8, 13}, 14},
        {"bwb", "nn", {}, 0},             // unequal lengths: nothing at all
        {"bwb", "nxn", {0, 1, 2, 3}, 4},  // an unknown width letter skips its element
        {"xbB", "124", {2, 5}, 14},       // only "b" is a bar
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colours + "/" + c.widths);
        Barcode1DProperties p;
        p.X = 2;
        p.N = 3;
        p.TopMargin = 0;
        p.BarHeightPixels = 10;
        RecordingCanvas rec;
        barcode1d::CanvasSink sink(rec, p, 0);
        sink.drawPattern(c.colours, c.widths);
        sink.flush();
        EXPECT_EQ(sink.x(), c.advance);
        std::vector<std::int32_t> bars;
        for (const auto& d : rec.calls) {
            bars.push_back(span(d).left);
            bars.push_back(span(d).right);
        }
        EXPECT_EQ(bars, c.bars);
    }
}

// The first text call of a paint.
std::optional<DrawCall> firstText(TBarcode1D& c) {
    RecordingCanvas rec;
    c.paintBarcode(rec);
    const auto texts = callsOf(rec, Kind::Text);
    if (texts.empty()) return std::nullopt;
    return texts[0];
}

TEST(Barcode1DControl, TextPlacement) {
    {
        TBarcode1D c;
        c.textOnTop = true;
        EXPECT_EQ(firstText(c)->points[0].y, 5);
    }
    {
        // Wider than the symbol: starts at LeftMargin.
        TBarcode1D c;
        c.Code = std::string(40, 'a');
        c.checkCharacter = false;
        EXPECT_EQ(firstText(c)->points[0].x, 20);
    }
    {
        TBarcode1D c;
        c.Font.reset();
        EXPECT_FALSE(firstText(c));
        EXPECT_EQ(c.codeText, "1234567S");
    }
    {
        // No encoder: background and the data at LeftMargin.
        TBarcode1D c;
        c.barType = static_cast<TSymbology>(99);
        RecordingCanvas rec;
        c.paintBarcode(rec);
        EXPECT_EQ(callsOf(rec, Kind::Polygon).size(), 1u);
        const auto t = callsOf(rec, Kind::Text);
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].points[0], (Point{20, 20 + c.BarHeightPixels + 5}));
        EXPECT_EQ(c.codeText, "1234567");
        EXPECT_EQ(c.L, 0);
        ASSERT_EQ(c.notes().size(), 1u);
        EXPECT_EQ(c.notes()[0].severity, Note::Severity::Error);
    }
}

TEST(Barcode1DControl, EanTextSplitsUnderTheHalves) {
    TBarcode1D c;
    c.barType = TSymbology::EAN13;
    c.Code = "400638133393";
    c.BarHeightPixels = 50;
    RecordingCanvas rec;
    c.paintBarcode(rec);
    EXPECT_EQ(c.codeText, "4006381333931");
    EXPECT_EQ(c.Code, "400638133393");  // restored after the paint
    const auto t = callsOf(rec, Kind::Text);
    ASSERT_EQ(t.size(), 3u);
    const auto& m = c.layoutMarks();
    EXPECT_EQ(t[0].text, "4");
    EXPECT_EQ(t[0].points[0], (Point{20 - rec.textWidth("0"), 71}));
    EXPECT_EQ(t[1].text, "006381");
    EXPECT_GE(t[1].points[0].x, m.leftDataStart);
    EXPECT_EQ(t[2].text, "333931");
    EXPECT_GE(t[2].points[0].x, m.rightDataStart);
    // Guard bars reach the font height further down than the data bars.
    const auto polys = callsOf(rec, Kind::Polygon);
    EXPECT_EQ(span(polys[1]).bottom, 20 + 50 + 10);
    EXPECT_EQ(span(polys[3]).bottom, 20 + 50);
}

TEST(Barcode1DControl, EanFamilyTextLayout) {
    // Texts in drawing order; x of -1 means "centred in its span", checked against the marks.
    struct Case {
        TSymbology type;
        std::string code;
        bool guardBars;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {TSymbology::UPCA, "036000291452", true, {"52495", "0", "36000", "29145", "2"}},
        {TSymbology::UPCA, "03600029145", true, {"52495", "03600029145"}},  // plain layout
        {TSymbology::EAN8, "55123457", true, {"52495", "5512", "3457"}},
        {TSymbology::UPCE, "04210000526", true, {"52495", "0", "425261"}},
        {TSymbology::EAN13, "400638133393", false, {"52495", "4006381333931"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        TBarcode1D ctl;
        ctl.barType = c.type;
        ctl.Code = c.code;
        ctl.guardBars = c.guardBars;
        ctl.UPCESytem = "0";
        ctl.BarHeightPixels = 50;
        ctl.UPCEANSupplement5 = true;
        ctl.supplement = "52495";
        RecordingCanvas rec;
        ctl.paintBarcode(rec);
        const auto t = callsOf(rec, Kind::Text);
        ASSERT_EQ(t.size(), c.texts.size());
        const auto& m = ctl.layoutMarks();
        // The add-on text sits over the add-on bars: TopMargin + supplementTop - 2 - h.
        EXPECT_EQ(m.supplementTop, 10);
        EXPECT_EQ(t[0].points[0].y, 20 + 10 - 2 - 10);
        EXPECT_EQ(
            t[0].points[0].x,
            m.supplementStart + (m.supplementEnd - m.supplementStart - rec.textWidth("52495")) / 2);
        for (std::size_t i = 0; i < t.size(); ++i) {
            EXPECT_EQ(t[i].text, c.texts[i]);
            if (i > 0 && c.texts.size() > 2) {
                EXPECT_EQ(t[i].points[0].y, 20 + 50 + 1);
            }
        }
        if (c.type == TSymbology::UPCA && c.texts.size() == 5) {
            EXPECT_EQ(t[4].points[0].x, m.symbolEnd + 3);
        }
        if (c.texts.size() == 2) {
            EXPECT_EQ(t[1].points[0].y, 20 + 50 + 5);  // plain layout: h div 2 below the bars
        }
    }
}

TEST(Barcode1DControl, TildesAndExtraHeight) {
    struct Case {
        TSymbology type;
        std::string code;
        bool tilde, check;
        std::int32_t extra;
        std::string codeText;
        std::int32_t extraAfter;
        std::int32_t firstBarBottom;
    };
    const Case cases[] = {
        {TSymbology::CODE39, "~", true, false, 0, "~", 0, 78},
        {TSymbology::CODE39, "~", true, true, 0, "0", 0, 78},
        {TSymbology::CODE39, "A~066", true, false, 0, "A~066", 0, 78},
        {TSymbology::CODE39, "1234567", false, true, 5, "1234567S", 5, 83},
        // EAN/UPC guards reset extraHeight; they draw with the font height instead.
        {TSymbology::EAN13, "400638133393", false, true, 5, "4006381333931", 0, 20 + 58 + 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        TBarcode1D ctl;
        ctl.barType = c.type;
        ctl.Code = c.code;
        ctl.ProcessTilde = c.tilde;
        ctl.checkCharacter = c.check;
        ctl.extraHeight = c.extra;
        ctl.BarHeightPixels = 58;
        RecordingCanvas rec;
        ctl.paintBarcode(rec);
        EXPECT_EQ(ctl.codeText, c.codeText);
        EXPECT_EQ(ctl.extraHeight, c.extraAfter);
        EXPECT_EQ(ctl.Code, c.code);
        const auto polys = callsOf(rec, Kind::Polygon);
        ASSERT_GE(polys.size(), 2u);
        EXPECT_EQ(span(polys[1]).bottom, c.firstBarBottom);
    }
}

TEST(Barcode1DControl, NominalLengthOfEverySymbology) {
    struct Case {
        int type;
        std::string code;
        std::string set;
        std::int32_t L;
    };
    const Case cases[] = {
        {0, "1234567", "B", 129},     {1, "1234567", "B", 129}, {1, "a\xff", "B", 64},
        {2, "1234567", "B", 35},      {2, "12345678", "B", 42}, {3, "1234567", "B", 77},
        {3, "12345678901", "B", 112}, {4, "1234567", "B", 100}, {5, "1234567", "B", 103},
        {6, "1234567", "B", 67},      {7, "1234567", "B", 63},  {8, "1234567", "B", 63},
        {9, "1234567", "B", 99},      {14, "a", "B", 49},       {10, "1234567", "B", 60},
        {11, "1234567", "B", 60},     {12, "1234567", "B", 51}, {13, "1234567", "B", 123},
        {13, "1234567", "C", 79},     {16, "", "C", 40},        {16, "12", "C", 52},
        {15, "1234567", "B", 10},     {99, "1234567", "B", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.code);
        TBarcode1D ctl;
        ctl.barType = static_cast<TSymbology>(c.type);
        ctl.Code = c.code;
        ctl.Code128Set = c.set;
        ctl.Font.reset();
        RecordingCanvas rec;
        ctl.paintBarcode(rec);
        EXPECT_EQ(ctl.L, c.L);
    }
}

TEST(Barcode1DControl, NotesBelongToTheLastPaint) {
    TBarcode1D c;
    c.Code = "a*";
    RecordingCanvas rec;
    c.paintBarcode(rec);
    EXPECT_EQ(c.notes().size(), 1u);
    c.Code = "A";
    c.paintBarcode(rec);
    EXPECT_TRUE(c.notes().empty());
}

TEST(Barcode1DControl, PropertyTable) {
    TBarcode1D c;
    const auto table = c.properties();
    ASSERT_EQ(table.size(), 31u);
    const std::string_view order[] = {"Code",
                                      "ProcessTilde",
                                      "TopMargin",
                                      "LeftMargin",
                                      "BarHeightPixels",
                                      "BackColor",
                                      "BarColor",
                                      "textOnTop",
                                      "barType",
                                      "codeSup",
                                      "checkCharacter",
                                      "postnetHeightTallBar",
                                      "postnetHeightShortBar",
                                      "supplement",
                                      "guardBars",
                                      "codeText",
                                      "Font",
                                      "extraHeight",
                                      "UPCESytem",
                                      "CODABARStartChar",
                                      "CODABARStopChar",
                                      "UPCEANSupplement2",
                                      "UPCEANSupplement5",
                                      "Code128Set",
                                      "X",
                                      "N",
                                      "I",
                                      "H",
                                      "L",
                                      "supSeparation",
                                      "supHeight"};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const PropertyInfo& p = table[i];
        SCOPED_TRACE(std::string(p.name));
        EXPECT_EQ(p.name, order[i]);
        EXPECT_EQ(formatProperty(p, p.get(c)), p.defaultText);
        EXPECT_EQ(p.access == PropertyAccess::Result, p.name == "codeText" || p.name == "L");
        EXPECT_NE(p.access, PropertyAccess::ReadOnly);
        const bool stored = p.name == "TopMargin" || p.name == "LeftMargin" ||
                            p.name == "BarHeightPixels" || p.name == "BackColor" ||
                            p.name == "BarColor";
        EXPECT_EQ(p.storedDefault.has_value(), stored);
        // Every value written through the table reads back.
        const auto v = parseProperty(p, p.defaultText);
        if (v) {
            p.set(c, *v);
            EXPECT_EQ(p.get(c), *v);
        }
    }
    const PropertyInfo* bh = findProperty(table, "BarHeightPixels");
    ASSERT_TRUE(bh);
    EXPECT_EQ(bh->storedDefault, "7");
    findProperty(table, "barType")->set(c, std::int32_t{200});
    EXPECT_EQ(static_cast<int>(c.barType), 200);
    findProperty(table, "BackColor")->set(c, std::int32_t{0x123456});
    EXPECT_EQ(c.BackColor, 0x123456u);
}

}  // namespace
}  // namespace qv
