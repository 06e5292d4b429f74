#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "quorvantix/maxicode.h"
#include "quorvantix/raster.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

// Any values a host can write, through the property table: every paint has a defined result,
// repainting gives the same symbol, and nothing is thrown or overflows.
TEST(MaxiBadInput, PropertySweep) {
    const std::int32_t ints[] = {INT32_MIN, -100000, -1, 0,  1,  2,  3,   4,    5,      6,
                                 7,         8,       9,  63, 64, 65, 100, 1200, 100000, INT32_MAX};
    const double doubles[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              -25.5,
                              0,
                              1e-300,
                              0.5,
                              25.5,
                              1000,
                              1e300};
    std::mt19937 random(6);
    const auto text = [&random] {
        const std::string_view pieces[] = {"~",
                                           "~~",
                                           "~999",
                                           "\x1d",
                                           "[)>\x1e"
                                           "01\x1d"
                                           "96",
                                           "123456789",
                                           "abc",
                                           "\xC0\xE0\x01",
                                           " ",
                                           "AB12",
                                           "\x00"};
        std::string s;
        const auto n = random() % 12;
        for (unsigned i = 0; i < n; ++i) {
            if (random() % 3 == 0)
                s += static_cast<char>(random() % 256);
            else
                s += pieces[random() % std::size(pieces)];
        }
        if (random() % 10 == 0) s += std::string(400, static_cast<char>(random() % 256));
        return s;
    };
    for (int round = 0; round < 400; ++round) {
        TMaxicode control;
        const auto table = control.properties();
        for (int k = 0; k < 8; ++k) {
            const auto& p = table[random() % table.size()];
            if (!p.set) continue;
            switch (p.type) {
                case PropType::Double:
                    p.set(control, doubles[random() % std::size(doubles)]);
                    break;
                case PropType::String:
                    p.set(control, text());
                    break;
                case PropType::Boolean:
                    p.set(control, random() % 2 == 0);
                    break;
                default:
                    p.set(control, ints[random() % std::size(ints)]);
            }
        }
        SCOPED_TRACE(round);
        Bitmap bitmap(67, 59);
        control.paintBarcode(bitmap.canvas());
        const auto first = control.codewords();
        for (const auto cw : first) ASSERT_LT(cw, 64);
        for (const auto& n : control.notes()) EXPECT_EQ(n.severity, Note::Severity::Warning);
        RecordingCanvas window({-5, -5, 40, 30});
        control.paint(window);
        EXPECT_EQ(control.codewords(), first);
    }
}

TEST(MaxiBadInput, HostileGeometry) {
    struct Case {
        std::int32_t wHexagon, hHexagon, left, top, resolution;
        double size;
    };
    const Case cases[] = {
        {INT32_MAX, INT32_MAX, 0, 0, 200, 25.5}, {INT32_MIN, INT32_MIN, 0, 0, 200, 25.5},
        {7, 8, INT32_MAX, INT32_MAX, 200, 25.5}, {7, 8, INT32_MIN, INT32_MIN, 200, 25.5},
        {0, 100000, -50, -50, 200, 25.5},        {-7, 8, 150, 10, 200, 25.5},
        {0, 0, 0, 0, INT32_MAX, 25.5},           {0, 0, 0, 0, INT32_MAX, 1e300},
        {0, 0, INT32_MIN, 0, 1, 1e-3},
    };
    for (const auto& c : cases) {
        TMaxicode control;
        control.setResolution(c.resolution);
        control.setL(c.size);
        if (c.wHexagon || c.hHexagon) {
            control.WHexagon = c.wHexagon;
            control.HHexagon = c.hHexagon;
        }
        control.LeftMargin = c.left;
        control.TopMargin = c.top;
        control.offsetX = c.left;
        control.offsetY = c.top;
        Bitmap bitmap(150, 120);
        control.paintBarcode(bitmap.canvas());
        RecordingCanvas canvas({0, 0, 150, 120});
        control.paintBarcode(canvas);
        for (const auto& call : canvas.calls)
            for (const auto& p : call.points) {
                if (call.kind != DrawCall::Kind::Line) continue;
                EXPECT_GE(p.x, 0);
                EXPECT_LE(p.x, 150);
                EXPECT_GE(p.y, 0);
                EXPECT_LT(p.y, 120);
            }
    }
}

}  // namespace
}  // namespace qv
