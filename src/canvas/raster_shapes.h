// Scan conversion of the shapes the raster canvas draws: polygons (alternate fill), one-pixel
// lines without their last point, and lines of wider pens; for 32-bit and 8-bit pixels alike.
#pragma once

#include <cstdint>
#include <span>
#include <type_traits>

#include "canvas/rectangle_parts.h"
#include "canvas/surface.h"

namespace qv::canvas {

struct P64 {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

inline P64 wide(Point p) {
    return {p.x, p.y};
}

// Interior of the polygon, alternate (even-odd) rule: pixel (x, y) is inside when the scan line
// y meets the edges with x at or right of an odd crossing. Right and bottom edges are excluded,
// as the outline covers them.
template <class P>
void fillPolygon(const SurfaceOf<P>& s, std::span<const Point> points,
                 std::type_identity_t<P> color);
template <class P>
void fillPolygon(const SurfaceOf<P>& s, std::span<const P64> points, std::type_identity_t<P> color);

// One-pixel line from a towards b; b itself is not drawn.
template <class P>
void drawThinLine(const SurfaceOf<P>& s, P64 a, P64 b, std::type_identity_t<P> color);

// The pixel a one-pixel line from a to b draws last (the one before b). a == b: a.
P64 lastLinePixel(P64 a, P64 b);

// A pen of width w > 1: the square of w x w pixels around each end point, and everything between.
template <class P>
void drawThickSegment(const SurfaceOf<P>& s, P64 a, P64 b, std::int64_t width,
                      std::type_identity_t<P> color);

}  // namespace qv::canvas
