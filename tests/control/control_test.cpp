#include <gtest/gtest.h>

#include <stdexcept>

#include "pixel_helpers.h"
#include "quorvantix/control.h"
#include "quorvantix/raster.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

// Marks its canvas so the window shows exactly what it painted.
class TinyControl : public Control {
  public:
    void paintBarcode(Canvas& canvas) override {
        seenClip = canvas.clipRect();
        canvas.line({0, 0}, {1, 0});
        canvas.brush.color = 0x00FF00;
        canvas.pen.color = 0x00FF00;
        canvas.rectanglePolygon(1, 1, 2, 2);
        if (fail) throw std::runtime_error("boom");
    }
    std::span<const PropertyInfo> properties() const override { return {}; }
    void note(std::string text) { addNote(Note::Severity::Warning, std::move(text)); }
    Rect seenClip{};
    bool fail = false;
};

TEST(ControlPaint, CopiesExactlyItsBitmap) {
    TinyControl control;
    control.Width = 4;
    control.Height = 3;
    Bitmap window(6, 5);
    for (auto& p : window.pixels()) p = 0x123456;
    control.paint(window.canvas());
    EXPECT_EQ(control.seenClip, (Rect{0, 0, 4, 3}));
    EXPECT_EQ(test::picture(window, 0x00FF00),
              "......\n"
              ".##...\n"
              ".##...\n"
              "......\n"
              "......\n");
    EXPECT_EQ(window.pixel(0, 0), 0u);         // the fresh canvas's black pen
    EXPECT_EQ(window.pixel(3, 2), 0xFFFFFFu);  // the bitmap's untouched white
    EXPECT_EQ(window.pixel(4, 0), 0x123456u);  // outside the control: left alone
    EXPECT_EQ(window.pixel(0, 3), 0x123456u);
}

TEST(ControlPaint, CopyCallOnTheWindow) {
    TinyControl control;
    control.Width = -7;
    control.Height = 9;
    RecordingCanvas window;
    control.paint(window);
    ASSERT_EQ(window.calls.size(), 1u);
    EXPECT_EQ(window.calls[0].kind, DrawCall::Kind::Copy);
    EXPECT_EQ(window.calls[0].points, (std::vector<Point>{{0, 0}, {0, 9}, {0, 0}, {0, 9}}));
}

TEST(ControlPaint, FailuresBecomeNotes) {
    TinyControl control;
    Bitmap window(2, 2);
    control.Width = 1 << 20;
    control.Height = 1 << 20;
    control.paint(window.canvas());
    ASSERT_EQ(control.notes().size(), 1u);
    EXPECT_EQ(control.notes()[0].severity, Note::Severity::Error);
    EXPECT_EQ(window.pixel(0, 0), 0xFFFFFFu);

    control.Width = 2;
    control.Height = 2;
    control.fail = true;
    control.paint(window.canvas());  // must not throw
    EXPECT_EQ(control.notes().back().text, "paint failed: boom");
}

}  // namespace
}  // namespace qv
