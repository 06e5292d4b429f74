#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "quorvantix/maxicode.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

const std::string kHeader =
    "[)>\x1e"
    "01\x1d"
    "96";

std::vector<DrawCall> calls(TMaxicode& control, DrawCall::Kind kind, Rect clip = {0, 0, 400, 400}) {
    RecordingCanvas canvas(clip);
    control.paintBarcode(canvas);
    std::vector<DrawCall> out;
    std::copy_if(canvas.calls.begin(), canvas.calls.end(), std::back_inserter(out),
                 [kind](const DrawCall& c) { return c.kind == kind; });
    return out;
}

bool hasLine(const std::vector<DrawCall>& lines, Point a, Point b) {
    return std::any_of(lines.begin(), lines.end(), [&](const DrawCall& c) {
        return c.points.size() == 2 && c.points[0] == a && c.points[1] == b;
    });
}

TEST(MaxiControl, PropertyTable) {
    TMaxicode control;
    const auto table = control.properties();
    const std::string_view names[] = {
        "offsetX",   "L",        "offsetY",        "TopMargin",       "LeftMargin",
        "BackColor", "BarColor", "zipCode",        "serviceClass",    "country",
        "data",      "mode",     "numberOfCodes",  "positionOfCode",  "processTilde",
        "WHexagon",  "HHexagon", "preferredWidth", "preferredHeight", "resolution"};
    ASSERT_EQ(table.size(), std::size(names));
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(table[i].name, names[i]);
        // The default text is what a fresh control holds.
        EXPECT_EQ(formatProperty(table[i], table[i].get(control)), table[i].defaultText);
        const bool stored = names[i] == "TopMargin" || names[i] == "LeftMargin" ||
                            names[i] == "BackColor" || names[i] == "BarColor" ||
                            names[i] == "mode" || names[i] == "numberOfCodes" ||
                            names[i] == "positionOfCode";
        EXPECT_EQ(table[i].storedDefault.has_value(), stored);
        EXPECT_EQ(table[i].storedDefault.value_or(table[i].defaultText), table[i].defaultText);
        EXPECT_EQ(table[i].access == PropertyAccess::ReadOnly, names[i].starts_with("preferred"));
        EXPECT_EQ(table[i].set == nullptr, table[i].access == PropertyAccess::ReadOnly);
    }
    EXPECT_EQ(control.Width, 200);
    EXPECT_EQ(control.Height, 200);
}

TEST(MaxiControl, LAndResolutionGoThroughTheirSetters) {
    TMaxicode control;
    const auto table = control.properties();
    findProperty(table, "resolution")->set(control, std::int32_t{300});
    EXPECT_EQ(control.WHexagon, 10);
    EXPECT_EQ(control.HHexagon, 12);
    EXPECT_EQ(control.preferredWidth, 300);
    EXPECT_EQ(control.preferredHeight, 300);
    findProperty(table, "L")->set(control, 40.0);
    EXPECT_EQ(control.L, 40.0);
    EXPECT_EQ(control.WHexagon, 16);  // 17 and 16 both fail the millimetre test: 16 is kept
    EXPECT_EQ(control.HHexagon, 18);
    EXPECT_EQ(control.preferredWidth, 480);
}

TEST(MaxiControl, LWrittenDirectlyIsLaidOutAtThePaint) {
    for (const double size : {40.0, 25.5, double{NAN}}) {
        SCOPED_TRACE(size);
        TMaxicode direct, throughSetter;
        direct.L = size;
        throughSetter.setL(size);
        for (const auto kind : {DrawCall::Kind::Ellipse, DrawCall::Kind::Line}) {
            const auto a = calls(direct, kind);
            const auto b = calls(throughSetter, kind);
            ASSERT_EQ(a.size(), b.size());
            for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].points, b[i].points);
        }
        EXPECT_EQ(direct.WHexagon, throughSetter.WHexagon);
        EXPECT_EQ(direct.preferredWidth, throughSetter.preferredWidth);
    }
}

TEST(MaxiControl, NoLayoutForBadResolutionOrSize) {
    TMaxicode control;
    control.setResolution(600);
    for (const double size : {-1.0, 0.0, double{NAN}, double{INFINITY}}) {
        control.setL(size);
        EXPECT_TRUE(control.L == size || (std::isnan(size) && std::isnan(control.L)));
        EXPECT_EQ(control.WHexagon, 21);
    }
    control.setL(25.5);
    control.setResolution(0);
    EXPECT_EQ(control.resolution, 0);
    EXPECT_EQ(control.WHexagon, 21);
    control.setResolution(-5);
    EXPECT_EQ(control.preferredWidth, 630);
}

// After a rejected layout the finder stands at the centre of the grid actually drawn, not where
// an earlier, larger layout had it.
TEST(MaxiControl, FinderFollowsARejectedLayout) {
    TMaxicode control;
    control.setResolution(1200);
    control.setResolution(96);
    const auto ellipses = calls(control, DrawCall::Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 6U);
    // W 4, V 3, HHexagon 5: centre (2 + 56, 2 + 48); outer radius round(3.84 * 3.87) = 15.
    EXPECT_EQ(ellipses[0].points[0], (Point{58 - 15, 50 - 15}));
    EXPECT_EQ(ellipses[0].points[1], (Point{58 + 15, 50 + 15}));
    EXPECT_EQ(control.preferredWidth, 120);
}

TEST(MaxiControl, BullseyeAndBackground) {
    TMaxicode control;
    control.BackColor = 0x00FF00;
    control.BarColor = 0x0000FF;
    RecordingCanvas canvas({0, 0, 300, 250});
    control.paintBarcode(canvas);
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls[0].kind, DrawCall::Kind::Polygon);
    EXPECT_EQ(canvas.calls[0].brush.color, 0x00FF00U);
    std::vector<DrawCall> ellipses;
    for (const auto& c : canvas.calls)
        if (c.kind == DrawCall::Kind::Ellipse) ellipses.push_back(c);
    const std::int32_t radii[] = {31, 26, 20, 15, 9, 4};
    ASSERT_EQ(ellipses.size(), 6U);
    for (std::size_t i = 0; i < 6; ++i) {
        const TColor colour = i % 2 == 0 ? 0x0000FF : 0x00FF00;
        EXPECT_EQ(ellipses[i].brush.color, colour);
        EXPECT_EQ(ellipses[i].pen.color, colour);
        EXPECT_EQ(ellipses[i].points[0], (Point{101 - radii[i], 100 - radii[i]}));
        EXPECT_EQ(ellipses[i].points[1], (Point{101 + radii[i], 100 + radii[i]}));
    }
    for (const auto& c : canvas.calls)
        EXPECT_TRUE(c.kind != DrawCall::Kind::Line || c.pen.color == 0x0000FFU);
}

TEST(MaxiControl, HexagonPositions) {
    // With the 7 x 8 pattern the fourth row of a hexagon at (x, y) is dark from x + 1 to x + 6.
    struct Case {
        std::int32_t left, top, offsetX, offsetY;
    };
    for (const auto& c : {Case{0, 0, 0, 0}, Case{10, 3, 5, 4}, Case{0, 0, -7, 0}}) {
        TMaxicode control;
        control.LeftMargin = c.left;
        control.TopMargin = c.top;
        control.offsetX = c.offsetX;
        control.offsetY = c.offsetY;
        const std::int32_t ox = c.left + c.offsetX, oy = c.top + c.offsetY;
        const auto lines = calls(control, DrawCall::Kind::Line);
        const auto row = [&](int column, int r, bool odd) {
            const std::int32_t x = ox + column * 7 + (odd ? 3 : 0);
            return hasLine(lines, {x + 1, oy + r * 6 + 3}, {x + 7, oy + r * 6 + 3});
        };
        EXPECT_TRUE(row(28, 0, false));  // always dark, top right
        EXPECT_TRUE(row(29, 0, false));
        EXPECT_TRUE(row(7, 15, true));  // orientation cells in odd rows start W div 2 further
        EXPECT_TRUE(row(20, 17, true));
        EXPECT_TRUE(row(8, 16, false));
        EXPECT_FALSE(row(13, 16, false));  // inside the bullseye
    }
}

TEST(MaxiControl, ClipRectangleBoundsTheDrawing) {
    TMaxicode control;
    control.LeftMargin = -100;
    const Rect clip{0, 0, 60, 40};
    for (const auto& c : calls(control, DrawCall::Kind::Line, clip)) {
        EXPECT_GE(c.points[0].x, clip.left);
        EXPECT_LE(c.points[1].x, clip.right);
        EXPECT_GE(c.points[0].y, clip.top);
        EXPECT_LT(c.points[0].y, clip.bottom);
    }
}

TEST(MaxiControl, RepaintingGivesTheSameSymbol) {
    const std::string data = kHeader +
                             "123456789\x1d"
                             "840\x1d"
                             "001\x1dTRACK";
    TMaxicode control;
    control.mode = 2;
    control.country = "840";
    control.data = data;
    RecordingCanvas canvas;
    control.paintBarcode(canvas);
    const auto first = control.codewords();
    // The split fields are written back, replacing (not appending to) the preset country.
    EXPECT_EQ(control.zipCode, "123456789");
    EXPECT_EQ(control.country, "840");
    EXPECT_EQ(control.serviceClass, "001");
    control.paintBarcode(canvas);
    EXPECT_EQ(control.codewords(), first);
    EXPECT_EQ(control.country, "840");

    // A paint in another mode in between changes nothing.
    control.mode = 4;
    control.paintBarcode(canvas);
    control.mode = 2;
    control.paintBarcode(canvas);
    EXPECT_EQ(control.codewords(), first);

    // New data is split again while the host leaves the written fields alone.
    control.data = kHeader +
                   "55555\x1d"
                   "276\x1d"
                   "002\x1dOTHER";
    control.paintBarcode(canvas);
    EXPECT_EQ(control.zipCode, "55555");
    EXPECT_EQ(control.country, "276");

    // Fields the host writes itself are used as they stand; the data is the message.
    TMaxicode direct;
    direct.mode = 2;
    direct.zipCode = "55555";
    direct.country = "276";
    direct.serviceClass = "002";
    direct.data = kHeader + "OTHER";
    direct.paintBarcode(canvas);
    EXPECT_EQ(control.codewords(), direct.codewords());
    control.zipCode = "11111";
    control.paintBarcode(canvas);
    EXPECT_EQ(control.zipCode, "11111");
    EXPECT_EQ(control.country, "276");
    EXPECT_NE(control.codewords(), direct.codewords());
}

TEST(MaxiControl, PostalRewritesAndNotes) {
    struct Case {
        std::int32_t mode;
        std::string zip, data;
        std::int32_t modeAfter;
        std::string zipAfter;
        std::size_t notes;
    };
    const Case cases[] = {
        {2, "AB12", "x", 3, "AB12  ", 2},
        {2, "", "no separators", 2, "", 0},
        {3, "", "no separators", 3, "      ", 1},
        {3, "ab!", "x", 3, "ab!   ", 4},
        {4, "", "x", 4, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zip);
        TMaxicode control;
        control.mode = c.mode;
        control.zipCode = c.zip;
        control.data = c.data;
        RecordingCanvas canvas;
        control.paintBarcode(canvas);
        EXPECT_EQ(control.mode, c.modeAfter);
        EXPECT_EQ(control.zipCode, c.zipAfter);
        EXPECT_EQ(control.notes().size(), c.notes);
        for (const auto& n : control.notes()) EXPECT_EQ(n.severity, Note::Severity::Warning);
    }
}

}  // namespace
}  // namespace qv
