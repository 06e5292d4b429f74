// Small helpers for pixel assertions.
#pragma once

#include <cstdint>
#include <string>

#include "quorvantix/raster.h"

namespace qv::test {

// Rows of '#' (colour c) and '.' (anything else), for readable expectations.
inline std::string picture(const Bitmap& bm, TColor c) {
    std::string out;
    for (std::int32_t y = 0; y < bm.height(); ++y) {
        for (std::int32_t x = 0; x < bm.width(); ++x) out += bm.pixel(x, y) == c ? '#' : '.';
        out += '\n';
    }
    return out;
}

inline std::int64_t countColour(const Bitmap& bm, TColor c) {
    std::int64_t n = 0;
    for (const std::uint32_t p : bm.pixels()) n += p == c;
    return n;
}

inline bool samePixels(const Bitmap& a, const Bitmap& b) {
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.pixels().begin(), a.pixels().end(), b.pixels().begin());
}

}  // namespace qv::test
