#include "maxicode/layout.h"

#include <algorithm>
#include <cmath>

namespace qv::maxicode {
namespace {

constexpr double kRingsMm[6] = {0.51, 1.18, 1.86, 2.53, 3.20, 3.87};
constexpr double kGapMm = 0.12;

// Nearest integer, halves to even, clamped to [lo, hi].
std::int32_t roundClamped(double v, std::int32_t lo, std::int32_t hi) {
    const double r = std::nearbyint(v);
    if (!(r >= lo)) return lo;
    if (r > hi) return hi;
    return static_cast<std::int32_t>(r);
}

std::int32_t roundPixels(double v) {
    return roundClamped(v, 0, INT32_MAX);
}

// The grid size for hexagon width w; true when it passes the millimetre test.
bool place(Layout& layout, std::int32_t w) {
    layout.W = w;
    layout.HHexagon = roundPixels(w * 2 / std::sqrt(3.0));
    layout.V = roundPixels(w * std::sqrt(3.0) / 2);
    const double widthMm = w * 29.0 / layout.pxPerMm;
    const double heightMm = layout.V * 32.0 / layout.pxPerMm;
    return widthMm >= 24 && widthMm <= 27 && heightMm >= 22.9 && heightMm <= 25.8;
}

}  // namespace

Layout computeLayout(double sizeMm, std::int32_t resolution, const Layout& previous) {
    if (resolution <= 0 || !std::isfinite(sizeMm) || sizeMm <= 0) return previous;
    Layout layout;
    layout.pxPerMm = resolution / 25.0;
    for (std::size_t i = 0; i < 6; ++i) layout.radii[i] = roundPixels(layout.pxPerMm * kRingsMm[i]);
    const double widthPx = std::nearbyint(sizeMm * layout.pxPerMm);
    std::int32_t w = roundClamped(widthPx / 29, 0, kMaxHexagonWidth);
    layout.accepted = place(layout, w);
    if (!layout.accepted) {
        w = widthPx / 29 >= w ? w + 1 : w - 1;
        layout.accepted = place(layout, std::clamp(w, 1, kMaxHexagonWidth));
    }
    // Also after a rejected width: the finder must stand at the centre of the grid drawn.
    const std::int64_t W = layout.W;
    const std::int64_t V = layout.V;
    layout.cx = static_cast<std::int32_t>(W / 2 + 14 * W);
    layout.cy = static_cast<std::int32_t>(layout.HHexagon / 2 + 16 * V);
    layout.gap = roundPixels(kGapMm * layout.pxPerMm);
    layout.preferredWidth = static_cast<std::int32_t>(30 * W);
    layout.preferredHeight = static_cast<std::int32_t>(32 * V + layout.HHexagon);
    return layout;
}

}  // namespace qv::maxicode
