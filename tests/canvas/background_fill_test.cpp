#include "canvas/background_fill.h"

#include <gtest/gtest.h>

#include "pixel_helpers.h"
#include "quorvantix/raster.h"

namespace qv::canvas {
namespace {

// A 5 x 3 bitmap with a red pen: the fill leaves the pen's outline where the edges fall inside.
TEST(BackgroundFill, OutlineKeepsThePenAndLiesWhereTheInsetPutsIt) {
    const struct {
        std::int32_t inset;
        const char* picture;  // '#': the pen's red
    } cases[] = {
        {0, "#####\n#....\n#....\n"},
        {1, "#####\n#...#\n#...#\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inset);
        Bitmap bitmap(5, 3);
        bitmap.canvas().pen.color = 0x0000FF;
        bitmap.canvas().brush.style = BrushStyle::Clear;
        fillBackground(bitmap.canvas(), 0x00FF00, c.inset);
        EXPECT_EQ(test::picture(bitmap, 0x0000FF), c.picture);
        EXPECT_EQ(test::countColour(bitmap, 0x00FF00) + test::countColour(bitmap, 0x0000FF), 15);
        EXPECT_EQ(bitmap.canvas().brush.style, BrushStyle::Solid);
        EXPECT_EQ(bitmap.canvas().pen.width, 1);
    }
}

}  // namespace
}  // namespace qv::canvas
