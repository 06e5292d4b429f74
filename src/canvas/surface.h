// Pixel writes onto a buffer of 32-bit colours or 8-bit palette indices, clipped: callers pass
// 64-bit coordinates of any value and nothing outside the buffer is ever touched. Colours are
// pixel values already: the canvas maps each colour it is given once, where it enters.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "quorvantix/canvas.h"

namespace qv::canvas {

// Bytes: at most a few overlapping stores of the colour repeated, as a byte loop (which the
// compiler turns into a call of memset) costs more than a bar of two pixels.
inline void fillShortBytes(std::uint8_t* p, std::uint8_t* end, std::uint8_t colour) {
    const std::ptrdiff_t n = end - p;
    if (n <= 1) {
        if (n == 1) *p = colour;
        return;
    }
    if (n > 32) {
        std::memset(p, colour, static_cast<std::size_t>(n));
        return;
    }
    const std::uint64_t eight = 0x0101010101010101U * colour;
    if (n >= 8) {
        for (; end - p > 8; p += 8) std::memcpy(p, &eight, 8);
        std::memcpy(end - 8, &eight, 8);
    } else if (n >= 4) {
        const auto four = static_cast<std::uint32_t>(eight);
        std::memcpy(p, &four, 4);
        std::memcpy(end - 4, &four, 4);
    } else {
        const auto two = static_cast<std::uint16_t>(eight);
        std::memcpy(p, &two, 2);
        std::memcpy(end - 2, &two, 2);
    }
}

// Most fills of a batch or a glyph are a few pixels wide (bars, runs): stores in fours beat a
// general fill there.
template <class P>
inline void fillShort(P* p, P* end, P colour) {
    if constexpr (sizeof(P) == 1) {
        fillShortBytes(p, end, colour);
    } else {
        // Groups of four, the last one ending at `end` over the group before: no pixel-by-pixel
        // tail. Shorter fills are one or two overlapping stores.
        const std::ptrdiff_t n = end - p;
        if (n >= 4) {
            const P four[4] = {colour, colour, colour, colour};
            for (; end - p > 4; p += 4) std::memcpy(p, four, sizeof four);
            std::memcpy(end - 4, four, sizeof four);
        } else if (n >= 2) {
            const P two[2] = {colour, colour};
            std::memcpy(p, two, sizeof two);
            std::memcpy(end - 2, two, sizeof two);
        } else if (n == 1) {
            *p = colour;
        }
    }
}

// Fills of whole images or bands of rows: string stores write whole cache lines without reading
// them first, faster here than vector stores or than copying a row down.
template <class P>
inline void fillLong(P* p, std::size_t n, P colour) {
    if constexpr (sizeof(P) == 1) {
        std::memset(p, colour, n);
    } else {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
        static_assert(sizeof(P) == 4);
        asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(colour) : "memory");
#else
        std::fill_n(p, n, colour);
#endif
    }
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
