// Off-screen raster: 32-bit pixels (0x00BBGGRR) with a canvas that follows the classic GDI pixel
// rules, so a symbol is the same pixels on every surface.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "quorvantix/canvas.h"

namespace qv {

namespace canvas {
template <class P>
class RasterCanvasT;
}

class Bitmap {
  public:
    // Sizes below 0 are taken as 0. Throws std::length_error past maxPixels.
    Bitmap(std::int32_t width, std::int32_t height);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // 256 MiB of pixels: a control or image past this is refused, never allocated.
    static constexpr std::int64_t maxPixels = std::int64_t{1} << 26;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    // Outside the bitmap: 0.
    TColor pixel(std::int32_t x, std::int32_t y) const;
    std::span<const std::uint32_t> pixels() const;
    std::span<std::uint32_t> pixels();
    // Its clip rectangle is (0, 0, width, height); a fresh canvas has a black pen, white brush.
    Canvas& canvas();
    // True once text was drawn that no glyphs were found for (FreeType could not be loaded and
    // the built-in glyphs do not cover the font): the raster lacks that text.
    bool textLeftOut() const { return textLeftOut_; }

  private:
    template <class P>
    friend class canvas::RasterCanvasT;
    // The canvas may hold rectangle fills back and write them in one pass; reading the pixels
    // writes them, and from then on the canvas draws straight into the pixels.
    void settle() const;

    std::int32_t width_;
    std::int32_t height_;
    std::size_t count_;
    std::size_t capacity_ = 0;  // pixels allocated, at least count_
    bool textLeftOut_ = false;
    std::unique_ptr<std::uint32_t[]> pixels_;  // written by the canvas before anyone reads them
    std::unique_ptr<canvas::RasterCanvasT<std::uint32_t>> canvas_;
};

}  // namespace qv
