#include "quorvantix/canvas.h"

#include <array>

namespace qv {

void Canvas::rectanglePolygon(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    const std::array<Point, 4> corners{Point{x0, y0}, Point{x1, y0}, Point{x1, y1}, Point{x0, y1}};
    polygon(corners);
}

}  // namespace qv
