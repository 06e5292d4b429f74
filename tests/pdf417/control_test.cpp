#include <gtest/gtest.h>

#include "quorvantix/pdf417.h"
#include "quorvantix/recording.h"
#include "symbol_reading.h"

namespace qv {
namespace {

using pdf417::TEncoding;
using test::codewordOf;
using test::recordedRows;

std::vector<DrawCall> polygons(const RecordingCanvas& canvas) {
    std::vector<DrawCall> out;
    for (const auto& c : canvas.calls)
        if (c.kind == DrawCall::Kind::Polygon) out.push_back(c);
    return out;
}

TEST(PDF417Control, DefaultSymbolRows) {
    TPDF417 control;
    RecordingCanvas canvas({0, 0, 300, 100});
    control.paintBarcode(canvas);
    EXPECT_TRUE(control.notes().empty());
    const auto calls = polygons(canvas);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].points, (std::vector<Point>{{0, 0}, {300, 0}, {300, 100}, {0, 100}}));
    EXPECT_EQ(calls[0].brush.color, 0xFFFFFFu);
    // The first bar of the start pattern: 8 modules at (10, 10), 7 pixels high, both ends drawn.
    EXPECT_EQ(calls[1].points, (std::vector<Point>{{10, 10}, {17, 10}, {17, 17}, {10, 17}}));
    EXPECT_EQ(calls[1].brush.color, 0u);

    const auto rows = recordedRows(canvas.calls, 10, 10, 1, 7);
    ASSERT_EQ(rows.size(), 3u);
    const std::int32_t leftIndicators[] = {0, 2, 9};
    const std::int32_t rightIndicators[] = {9, 0, 2};
    for (std::int32_t r = 0; r < 3; ++r) {
        const auto& m = rows[static_cast<std::size_t>(r)];
        ASSERT_EQ(m.size(), 239u);
        EXPECT_EQ(m.substr(0, 17), "11111111010101000");
        EXPECT_EQ(m.substr(221), "111111101000101001");
        EXPECT_EQ(codewordOf(m.substr(17, 17), r), leftIndicators[r]);
        EXPECT_EQ(codewordOf(m.substr(204, 17), r), rightIndicators[r]);
        for (std::int32_t col = 0; col < 10; ++col)
            EXPECT_EQ(codewordOf(m.substr(static_cast<std::size_t>(34 + 17 * col), 17), r),
                      control.codewords()[static_cast<std::size_t>(r * 10 + col)]);
    }
    // The canvas keeps the background brush and a red pen.
    EXPECT_EQ(canvas.brush.color, 0xFFFFFFu);
    EXPECT_EQ(canvas.pen.color, 255u);
}

TEST(PDF417Control, TruncatedRowsEndWithOneBar) {
    TPDF417 control;
    control.PDFTruncated = true;
    RecordingCanvas canvas({0, 0, 300, 100});
    control.paintBarcode(canvas);
    const auto rows = recordedRows(canvas.calls, 10, 10, 1, 7);
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t r = 0; r < 3; ++r) {
        ASSERT_EQ(rows[r].size(), 17u * 12 + 1);
        EXPECT_EQ(rows[r].back(), '1');
        EXPECT_EQ(codewordOf(rows[r].substr(187, 17), static_cast<std::int32_t>(r)),
                  control.codewords()[r * 10 + 9]);
    }
}

TEST(PDF417Control, ModuleAndRowSizes) {
    struct Case {
        std::int32_t barWidth, barHeight;
        std::int32_t firstBarRight, rowPitch;
    };
    for (const auto c : {Case{2, 7, 25, 7}, Case{3, 4, 33, 4}, Case{1, 0, 17, 6}}) {
        TPDF417 control;
        control.BarWidthPixels = c.barWidth;
        control.BarHeightPixels = c.barHeight;
        RecordingCanvas canvas({0, 0, 1000, 200});
        control.paintBarcode(canvas);
        const auto calls = polygons(canvas);
        EXPECT_EQ(calls[1].points[1].x, c.firstBarRight);
        EXPECT_EQ(calls[1].points[2].y, 10 + c.rowPitch);
        EXPECT_EQ(calls.back().points[0].y, 10 + 2 * c.rowPitch);
        EXPECT_EQ(calls.back().points[1].x, 10 + 239 * c.barWidth - 1);
        EXPECT_EQ(control.BarHeightPixels, c.rowPitch);
    }
}

TEST(PDF417Control, FourthRowUsesClusterZeroWithBase30) {
    TPDF417 control;
    control.PDFRows = 4;
    RecordingCanvas canvas({0, 0, 300, 100});
    control.paintBarcode(canvas);
    const auto rows = recordedRows(canvas.calls, 10, 10, 1, 7);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(codewordOf(rows[3].substr(17, 17), 3), 30 + 1);  // a = (4 - 1) div 3
}

TEST(PDF417Control, ColumnsOutsideRangeAreDrawnAsOne) {
    for (std::int32_t columns : {0, 31, -5}) {
        TPDF417 control;
        control.PDFColumns = columns;
        control.Code = "AB";
        RecordingCanvas canvas({0, 0, 300, 100});
        control.paintBarcode(canvas);
        const auto rows = recordedRows(canvas.calls, 10, 10, 1, 7);
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows[0].size(), 17u * 5 + 1);
    }
}

struct FailureCase {
    TEncoding mode;
    std::string data;
    std::int32_t columns;
    std::string text;  // drawn at (20, 20) in byte mode; noted in every mode
};

TEST(PDF417Control, SizingFailures) {
    const FailureCase cases[] = {
        {TEncoding::PDF_BINARY, std::string(300, 'x'), 1, "Configuration not posible, rows= 254"},
        {TEncoding::PDF_BINARY, std::string(2000, 'x'), 30,
         "Configuration not posible, length=930"},
        {TEncoding::PDF_NUMERIC, std::string(3000, '1'), 1,
         "Configuration not posible, rows= 1027"},
    };
    for (const auto& c : cases) {
        TPDF417 control;
        control.PDFMode = c.mode;
        control.Code = c.data;
        control.PDFColumns = c.columns;
        RecordingCanvas canvas;
        control.paintBarcode(canvas);
        EXPECT_EQ(polygons(canvas).size(), 1u);
        ASSERT_EQ(control.notes().size(), 1u);
        EXPECT_EQ(control.notes()[0], (Note{Note::Severity::Error, c.text}));
        std::vector<DrawCall> texts;
        for (const auto& call : canvas.calls)
            if (call.kind == DrawCall::Kind::Text) texts.push_back(call);
        if (c.mode == TEncoding::PDF_BINARY) {
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(texts[0].text, c.text);
            EXPECT_EQ(texts[0].points[0], (Point{20, 20}));
        } else {
            EXPECT_TRUE(texts.empty());
        }
        // The pen stays as it was: the red pen comes only with drawn rows.
        EXPECT_EQ(canvas.pen.color, 0u);
    }
}

TEST(PDF417Control, NotesAndWrittenBackProperties) {
    TPDF417 control;
    control.PDFMaxRows = 100;
    RecordingCanvas canvas;
    control.paintBarcode(canvas);
    EXPECT_EQ(control.PDFMaxRows, 90);

    // Without Macro PDF417 the part that does not fit is cut, and said so.
    control.PDFMaxRows = 3;
    control.PDFMode = TEncoding::PDF_TEXT;
    control.Code = std::string(200, 'A');
    control.paintBarcode(canvas);
    ASSERT_EQ(control.notes().size(), 1u);
    EXPECT_EQ(control.notes()[0].severity, Note::Severity::Warning);
    EXPECT_EQ(control.segmentStart(0), 52);  // 26 text codewords of two letters each

    control.Code = "12x";
    control.PDFMode = TEncoding::PDF_NUMERIC;
    control.paintBarcode(canvas);
    ASSERT_EQ(control.notes().size(), 1u);
    EXPECT_EQ(control.notes()[0].severity, Note::Severity::Error);
    EXPECT_EQ(control.rowCount(), 0);

    control.PDFMode = static_cast<TEncoding>(9);
    control.paintBarcode(canvas);
    EXPECT_EQ(control.notes().size(), 1u);
    EXPECT_TRUE(control.codewords().empty());
}

TEST(PDF417Control, PropertyTable) {
    TPDF417 control;
    const auto table = control.properties();
    ASSERT_EQ(table.size(), 21u);
    EXPECT_EQ(table.front().name, "Code");
    EXPECT_EQ(table.back().name, "BarColor");
    for (const auto& p : table) {
        // Every property reads back what its default text says.
        EXPECT_EQ(formatProperty(p, p.get(control)), p.defaultText) << p.name;
        const auto parsed = parseProperty(p, p.defaultText);
        ASSERT_TRUE(parsed) << p.name;
        if (p.set == nullptr) continue;
        p.set(control, *parsed);
        EXPECT_EQ(formatProperty(p, p.get(control)), p.defaultText) << p.name;
    }
    const auto* maxRows = findProperty(table, "PDFMaxRows");
    ASSERT_TRUE(maxRows);
    EXPECT_EQ(maxRows->storedDefault, "4");
    const auto* count = findProperty(table, "PDFMacroSegmentCount");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->access, PropertyAccess::ReadOnly);
    EXPECT_EQ(count->set, nullptr);
    EXPECT_FALSE(count->storedDefault);
    const auto* mode = findProperty(table, "PDFMode");
    mode->set(control, PropertyValue{std::int32_t{2}});
    EXPECT_EQ(control.PDFMode, TEncoding::PDF_NUMERIC);
    EXPECT_EQ(findProperty(table, "TopMargin")->storedDefault, "0");
}

}  // namespace
}  // namespace qv
