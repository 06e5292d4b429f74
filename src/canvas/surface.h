// Pixel writes onto a 32-bit buffer, clipped: callers pass 64-bit coordinates of any value and
// nothing outside the buffer is ever touched.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "quorvantix/canvas.h"

namespace qv::canvas {

struct Surface {
    std::uint32_t* pixels = nullptr;
    std::int64_t width = 0;
    std::int64_t height = 0;

    // Half-open rectangle [x0, x1) x [y0, y1).
    void fillRect(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                  TColor color) const {
        x0 = std::max<std::int64_t>(x0, 0);
        y0 = std::max<std::int64_t>(y0, 0);
        x1 = std::min(x1, width);
        y1 = std::min(y1, height);
        if (x0 >= x1 || y0 >= y1) return;
        for (std::int64_t y = y0; y < y1; ++y) {
            std::uint32_t* row = pixels + y * width;
            std::fill(row + x0, row + x1, color);
        }
    }
    void fillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, TColor color) const {
        fillRect(x0, y, x1, y + 1, color);
    }
    // Rows first + 1 .. end - 1 become copies of row first. The rows lie one after another, so
    // the copies double in length: a few long copies cost less than one short copy per row.
    void repeatRow(std::int64_t first, std::int64_t end) const {
        first = std::max<std::int64_t>(first, 0);
        end = std::min(end, height);
        if (width <= 0 || end - first < 2) return;
        std::uint32_t* const from = pixels + first * width;
        const auto all = static_cast<std::size_t>((end - first) * width);
        for (auto done = static_cast<std::size_t>(width); done < all;) {
            const std::size_t n = std::min(done, all - done);
            std::memcpy(from + done, from, n * sizeof(std::uint32_t));
            done += n;
        }
    }
    void set(std::int64_t x, std::int64_t y, TColor color) const {
        if (x >= 0 && x < width && y >= 0 && y < height) pixels[y * width + x] = color;
    }
};

}  // namespace qv::canvas
