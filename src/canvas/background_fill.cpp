#include "canvas/background_fill.h"

#include "core/int_clamp.h"

namespace qv::canvas {

void fillBackground(Canvas& canvas, TColor colour, std::int32_t widthInset) {
    const Rect clip = canvas.clipRect();
    canvas.brush.color = colour;
    canvas.brush.style = BrushStyle::Solid;
    canvas.pen.width = 1;
    const std::int32_t right =
        core::clampToInt32(std::int64_t{clip.left} + clip.right - std::int64_t{widthInset});
    const std::int32_t bottom = core::clampToInt32(std::int64_t{clip.top} + clip.bottom);
    canvas.rectanglePolygon(clip.left, clip.top, right, bottom);
}

}  // namespace qv::canvas
