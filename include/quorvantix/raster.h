// Off-screen raster: 32-bit pixels (0x00BBGGRR) with a canvas that follows the classic GDI pixel
// rules, so a symbol is the same pixels on every surface.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "quorvantix/canvas.h"

namespace qv {

class Bitmap {
  public:
    // Sizes below 0 are taken as 0. Throws std::length_error past maxPixels.
    Bitmap(std::int32_t width, std::int32_t height);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    static constexpr std::int64_t maxPixels = std::int64_t{1} << 28;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    // Outside the bitmap: 0.
    TColor pixel(std::int32_t x, std::int32_t y) const;
    std::span<const std::uint32_t> pixels() const { return pixels_; }
    std::span<std::uint32_t> pixels() { return pixels_; }
    // Its clip rectangle is (0, 0, width, height); a fresh canvas has a black pen, white brush.
    Canvas& canvas();

  private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint32_t> pixels_;
    std::unique_ptr<Canvas> canvas_;
};

}  // namespace qv
