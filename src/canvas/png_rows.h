// The PNG stream around rows of pixels: the writer both encoders share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "quorvantix/png.h"

namespace qv::png {

struct Colour {
    std::uint8_t red, green, blue;
};
inline constexpr int kColourRgb = 2;
inline constexpr int kColourPalette = 3;

// PNG readers refuse images wider or taller than this (libpng's default limit): none is written.
inline constexpr std::size_t kMaxSide = 1'000'000;

// What the writer needs to know of the rows.
struct Rows {
    std::size_t width = 0;
    std::size_t height = 0;
    int bitDepth = 8;
    int colourType = kColourRgb;
    const Colour* palette = nullptr;
    int paletteSize = 0;
    std::size_t rowBytes = 0;
};

// Fewest bits per pixel that index this many colours: 1, 2, 4 or 8.
int bitDepthFor(std::size_t colours);

// Writes the rows' bytes (rowBytes each) at `to`, row y at to + y * stride. True when nearly all
// rows repeat the one above, as in a linear symbol: they are compressed by rows (row_deflate.h),
// in a fraction of a general compressor's time and about as small.
using RowFill = std::function<bool(std::uint8_t* to, std::size_t stride)>;

// The whole PNG stream into `out`; false when the image is too large or compression fails.
bool writeRows(const Rows& rows, const PngOptions& options, const RowFill& fill,
               std::vector<std::uint8_t>& out);

}  // namespace qv::png
