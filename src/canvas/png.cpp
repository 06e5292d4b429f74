#include "quorvantix/png.h"

#include <png.h>

namespace qv {

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap) {
    // A PNG has at least one pixel each way: an empty bitmap has no image.
    if (bitmap.width() == 0 || bitmap.height() == 0) return {};
    std::vector<std::uint8_t> rgb;
    rgb.reserve(bitmap.pixels().size() * 3);
    for (const std::uint32_t p : bitmap.pixels()) {
        // 0x00BBGGRR: red is the low byte.
        rgb.push_back(static_cast<std::uint8_t>(p & 0xFF));
        rgb.push_back(static_cast<std::uint8_t>((p >> 8) & 0xFF));
        rgb.push_back(static_cast<std::uint8_t>((p >> 16) & 0xFF));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.width());
    image.height = static_cast<png_uint_32>(bitmap.height());
    image.format = PNG_FORMAT_RGB;
    // One compression pass into a buffer of the worst-case size; past a few megabytes, ask
    // for the exact size first rather than reserve that much.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    if (size > (png_alloc_size_t{1} << 24)) {
        size = 0;
        if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) == 0) {
            png_image_free(&image);
            return {};
        }
    }
    std::vector<std::uint8_t> out(size);
    if (png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return {};
    }
    out.resize(size);
    return out;
}

}  // namespace qv
