// The pixels of a filled ellipse in its bounding box, by the integer ellipse step that the
// classic GDI uses, so that round shapes are the same pixels on every surface.
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "canvas/raster_shapes.h"

namespace qv::canvas {

// Boxes larger than this on a side are drawn by the pixel-centre rule: the step would take
// too long and its terms would overflow.
inline constexpr std::int64_t kMaxSteppedEllipse = 1 << 16;

struct EllipseShape {
    // Per row of the box: the interior spans columns inset .. w - 1 - inset; -1 for none.
    std::vector<std::int64_t> inset;
    // Outline points relative to the box, each mirrored to (w - 1 - x, y), (x, h - 1 - y) and
    // (w - 1 - x, h - 1 - y).
    std::vector<P64> outline;
    // Per row, the columns [from, to) that interior and outline cover together, for a pen and
    // brush of one colour; empty unless the shape is kept per size and every row's cover is
    // one run.
    std::vector<ShapeRow> solid;
};

// For w, h in 3 .. kMaxSteppedEllipse.
EllipseShape steppedEllipse(std::int64_t w, std::int64_t h);

// Filled ellipse in the half-open box (l, t, r, b); brush may be null (no interior).
template <class P>
void drawEllipse(const SurfaceOf<P>& s, std::int64_t l, std::int64_t t, std::int64_t r,
                 std::int64_t b, const P* brush, std::type_identity_t<P> pen);

}  // namespace qv::canvas
