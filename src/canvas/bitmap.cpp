#include <algorithm>
#include <stdexcept>

#include "canvas/raster_canvas.h"
#include "canvas/spare_pixels.h"
#include "quorvantix/raster.h"

namespace qv {

Bitmap::Bitmap(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    const std::int64_t count = std::int64_t{width_} * height_;
    if (count > maxPixels) throw std::length_error("bitmap too large");
    count_ = static_cast<std::size_t>(count);
    // Left unwritten: the canvas starts as all white and fills the pixels when it must.
    pixels_ = canvas::SparePixels<std::uint32_t>::take(count_, capacity_);
    canvas_ = std::make_unique<canvas::RasterCanvas>(*this);
}

Bitmap::~Bitmap() {
    canvas::SparePixels<std::uint32_t>::give(pixels_, capacity_);
}

void Bitmap::settle() const {
    canvas_->settle();
}

TColor Bitmap::pixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    settle();
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

std::span<const std::uint32_t> Bitmap::pixels() const {
    settle();
    return {pixels_.get(), count_};
}

std::span<std::uint32_t> Bitmap::pixels() {
    settle();
    return {pixels_.get(), count_};
}

Canvas& Bitmap::canvas() {
    return *canvas_;
}

}  // namespace qv
