// The pixels of the last raster a thread let go, kept for its next one: a batch makes image after
// image of about the same size, and memory fresh from the system costs a page fault per 4 KiB.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

namespace qv::canvas {

template <class P>
class SparePixels {
  public:
    // At least `count` pixels, unwritten; `capacity` is set to how many there are.
    static std::unique_ptr<P[]> take(std::size_t count, std::size_t& capacity) {
        Kept& k = kept();
        if (!gone() && k.pixels && k.capacity >= count) {
            capacity = std::exchange(k.capacity, 0);
            return std::move(k.pixels);
        }
        capacity = count;
        return std::make_unique_for_overwrite<P[]>(count);
    }
    // Keeps the pixels for the thread's next raster when they are larger than those kept.
    static void give(std::unique_ptr<P[]>& pixels, std::size_t capacity) {
        if (gone() || !pixels || capacity > kMaxSpare) return;
        Kept& k = kept();
        if (capacity < k.capacity) return;
        k.pixels = std::move(pixels);
        k.capacity = capacity;
    }

  private:
    static constexpr std::size_t kMaxSpare = (std::size_t{4} << 20) / sizeof(P);  // 4 MiB
    struct Kept {
        std::unique_ptr<P[]> pixels;
        std::size_t capacity = 0;
        ~Kept() { gone() = true; }
    };
    static Kept& kept() {
        thread_local Kept k;
        return k;
    }
    // Set once the thread's spare is gone (at thread exit): rasters that outlive it free their
    // own.
    static bool& gone() {
        thread_local bool g = false;
        return g;
    }
};

}  // namespace qv::canvas
