// Off-screen raster of 8-bit palette indices: the same canvas rules as Bitmap, a quarter of the
// memory to write. Every pixel is a colour some drawing call passed in, so up to 256 colours
// these are exactly Bitmap's pixels; image output draws here and falls back to a Bitmap past that.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "quorvantix/canvas.h"
#include "quorvantix/raster.h"

namespace qv {

class IndexedBitmap {
  public:
    // Sizes below 0 are taken as 0. Throws std::length_error past maxPixels.
    IndexedBitmap(std::int32_t width, std::int32_t height);
    ~IndexedBitmap();
    IndexedBitmap(const IndexedBitmap&) = delete;
    IndexedBitmap& operator=(const IndexedBitmap&) = delete;

    static constexpr std::int64_t maxPixels = Bitmap::maxPixels;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    // One index per pixel, row by row.
    std::span<const std::uint8_t> indices() const;
    // Index -> colour, in the order colours were first drawn (index 0 is the white a fresh
    // canvas starts as). A colour may have been drawn over everywhere: not every entry is used.
    std::span<const TColor> palette() const { return {palette_.data(), paletteSize_}; }
    // False once a 257th colour was drawn: its pixels, and those of every later new colour, hold
    // index 0, so the raster is not the picture; paint into a Bitmap instead.
    bool exact() const { return exact_; }
    // The colour at (x, y); outside the bitmap: 0.
    TColor pixel(std::int32_t x, std::int32_t y) const;
    // Its clip rectangle is (0, 0, width, height); a fresh canvas has a black pen, white brush.
    Canvas& canvas();
    // True once text was drawn that no glyphs were found for (FreeType could not be loaded and
    // the built-in glyphs do not cover the font): the raster lacks that text.
    bool textLeftOut() const { return textLeftOut_; }

  private:
    template <class P>
    friend class canvas::RasterCanvasT;
    void settle() const;
    // The index of a colour, added to the palette when new.
    std::uint8_t indexOf(TColor colour) {
        return colour == lastColour_ ? lastIndex_ : addColour(colour);
    }
    std::uint8_t addColour(TColor colour);

    std::int32_t width_;
    std::int32_t height_;
    std::size_t count_;
    std::size_t capacity_ = 0;
    std::array<TColor, 256> palette_{};
    std::size_t paletteSize_ = 0;
    bool exact_ = true;
    bool textLeftOut_ = false;
    TColor lastColour_ = 0;
    std::uint8_t lastIndex_ = 0;
    std::unique_ptr<std::uint8_t[]> pixels_;
    std::unique_ptr<canvas::RasterCanvasT<std::uint8_t>> canvas_;
};

}  // namespace qv
