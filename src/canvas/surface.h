// Pixel writes onto a buffer of 32-bit colours or 8-bit palette indices, clipped: callers pass
// 64-bit coordinates of any value and nothing outside the buffer is ever touched. Colours are
// pixel values already: the canvas maps each colour it is given once, where it enters.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "quorvantix/canvas.h"

namespace qv::canvas {

// Most fills of a batch or a glyph are a few pixels wide (bars, runs): stores in fours beat a
// general fill there.
template <class P>
inline void fillShort(P* p, P* end, P colour) {
    for (; end - p >= 4; p += 4) {
        p[0] = colour;
        p[1] = colour;
        p[2] = colour;
        p[3] = colour;
    }
    for (; p < end; ++p) *p = colour;
}

template <class P>
struct SurfaceOf {
    using Pixel = P;
    P* pixels = nullptr;
    std::int64_t width = 0;
    std::int64_t height = 0;

    // Half-open rectangle [x0, x1) x [y0, y1).
    void fillRect(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                  P color) const {
        x0 = std::max<std::int64_t>(x0, 0);
        y0 = std::max<std::int64_t>(y0, 0);
        x1 = std::min(x1, width);
        y1 = std::min(y1, height);
        if (x0 >= x1 || y0 >= y1) return;
        for (std::int64_t y = y0; y < y1; ++y) {
            P* row = pixels + y * width;
            std::fill(row + x0, row + x1, color);
        }
    }
    void fillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, P color) const {
        fillRect(x0, y, x1, y + 1, color);
    }
    // Rows first + 1 .. end - 1 become copies of row first. A few short rows are each copied
    // from the first, which was written longest ago. Otherwise the copies double in length up to
    // a block of some 8 to 16 KiB, which is then copied again and again while it stays in the
    // first-level cache: fewer, longer copies than one per row.
    void repeatRow(std::int64_t first, std::int64_t end) const {
        constexpr std::size_t kBlock = 8192 / sizeof(P);  // pixels at which the doubling stops
        first = std::max<std::int64_t>(first, 0);
        end = std::min(end, height);
        if (width <= 0 || end - first < 2) return;
        P* const from = pixels + first * width;
        const auto w = static_cast<std::size_t>(width);
        const auto all = static_cast<std::size_t>(end - first) * w;
        if (end - first <= 8 || all <= 2 * kBlock) {
            for (std::size_t done = w; done < all; done += w)
                std::memcpy(from + done, from, w * sizeof(P));
            return;
        }
        std::size_t done = w;
        for (; done < all && done < kBlock; done *= 2) {
            std::memcpy(from + done, from, std::min(done, all - done) * sizeof(P));
        }
        for (const std::size_t block = done; done < all; done += block) {
            std::memcpy(from + done, from, std::min(block, all - done) * sizeof(P));
        }
    }
    void set(std::int64_t x, std::int64_t y, P color) const {
        if (x >= 0 && x < width && y >= 0 && y < height) pixels[y * width + x] = color;
    }
};

using Surface = SurfaceOf<std::uint32_t>;
using IndexSurface = SurfaceOf<std::uint8_t>;

}  // namespace qv::canvas
