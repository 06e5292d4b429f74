#include <algorithm>
#include <stdexcept>
#include <utility>

#include "canvas/raster_canvas.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

// The pixels of the last bitmap a thread let go, kept for its next one: a batch makes image after
// image of about the same size, and memory fresh from the system costs a page fault per 4 KiB.
constexpr std::size_t kMaxSpare = std::size_t{1} << 20;  // pixels (4 MiB) kept per thread at most
// Set once the thread's spare is gone (at thread exit): bitmaps that outlive it free their own.
thread_local bool spareGone = false;
struct Spare {
    std::unique_ptr<std::uint32_t[]> pixels;
    std::size_t capacity = 0;
    ~Spare() { spareGone = true; }
};
thread_local Spare spare;

}  // namespace

Bitmap::Bitmap(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    const std::int64_t count = std::int64_t{width_} * height_;
    if (count > maxPixels) throw std::length_error("bitmap too large");
    count_ = static_cast<std::size_t>(count);
    // Left unwritten: the canvas starts as all white and fills the pixels when it must.
    if (!spareGone && spare.pixels && spare.capacity >= count_) {
        pixels_ = std::move(spare.pixels);
        capacity_ = std::exchange(spare.capacity, 0);
    } else {
        pixels_ = std::make_unique_for_overwrite<std::uint32_t[]>(count_);
        capacity_ = count_;
    }
    canvas_ = std::make_unique<canvas::RasterCanvas>(*this);
}

Bitmap::~Bitmap() {
    if (!spareGone && pixels_ && capacity_ <= kMaxSpare && capacity_ >= spare.capacity) {
        spare.pixels = std::move(pixels_);
        spare.capacity = capacity_;
    }
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
