#include "quorvantix/indexed_bitmap.h"

#include <algorithm>
#include <stdexcept>

#include "canvas/raster_canvas.h"
#include "canvas/spare_pixels.h"

namespace qv {

IndexedBitmap::IndexedBitmap(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    const std::int64_t count = std::int64_t{width_} * height_;
    if (count > maxPixels) throw std::length_error("bitmap too large");
    count_ = static_cast<std::size_t>(count);
    // The white of a fresh canvas is index 0, and the last colour looked up.
    palette_[0] = 0xFFFFFF;
    paletteSize_ = 1;
    lastColour_ = 0xFFFFFF;
    pixels_ = canvas::SparePixels<std::uint8_t>::take(count_, capacity_);
    canvas_ = std::make_unique<canvas::IndexedCanvas>(*this);
}

IndexedBitmap::~IndexedBitmap() {
    canvas::SparePixels<std::uint8_t>::give(pixels_, capacity_);
}

std::uint8_t IndexedBitmap::addColour(TColor colour) {
    const TColor* const begin = palette_.data();
    const TColor* const end = begin + paletteSize_;
    const TColor* const found = std::find(begin, end, colour);
    if (found == end) {
        if (paletteSize_ == palette_.size()) {
            exact_ = false;
            return 0;
        }
        palette_[paletteSize_++] = colour;
    }
    lastColour_ = colour;
    lastIndex_ = static_cast<std::uint8_t>(found - begin);
    return lastIndex_;
}

void IndexedBitmap::settle() const {
    canvas_->settle();
}

std::span<const std::uint8_t> IndexedBitmap::indices() const {
    settle();
    return {pixels_.get(), count_};
}

TColor IndexedBitmap::pixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    settle();
    return palette_[pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)]];
}

Canvas& IndexedBitmap::canvas() {
    return *canvas_;
}

}  // namespace qv
