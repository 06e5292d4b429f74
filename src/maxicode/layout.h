// Pixel geometry of the hexagon grid from a nominal symbol size and a printer resolution.
#pragma once

#include <array>
#include <cstdint>

namespace qv::maxicode {

struct Layout {
    double pxPerMm = 8.0;
    std::int32_t W = 7;                                       // horizontal pitch of the hexagons
    std::int32_t HHexagon = 8;                                // height of one hexagon
    std::int32_t V = 6;                                       // row pitch
    std::int32_t gap = 1;                                     // between hexagons, in pixels
    std::array<std::int32_t, 6> radii{4, 9, 15, 20, 26, 31};  // bullseye rings, innermost first
    std::int32_t cx = 101;
    std::int32_t cy = 100;
    std::int32_t preferredWidth = 210;
    std::int32_t preferredHeight = 200;
    bool accepted = true;  // the grid measures 24..27 mm wide and 22.9..25.8 mm high
};

// Largest hexagon pitch a layout takes, so that every size of the grid fits 32 bits.
inline constexpr std::int32_t kMaxHexagonWidth = 1 << 20;

// The layout for a symbol of about sizeMm millimetres at `resolution` dots per inch. When neither
// the rounded hexagon width nor its neighbour passes the millimetre test, the neighbour is drawn
// anyway, and the centre and size follow it. A resolution of 0 or below, or a size that is not a
// positive finite number, has no layout: `previous` is returned.
Layout computeLayout(double sizeMm, std::int32_t resolution, const Layout& previous);

}  // namespace qv::maxicode
