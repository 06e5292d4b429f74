// What print adds to a raster: the picture turned by quarter turns, and the PNG chunks that
// carry the resolution (pHYs) and the transparent background (tRNS).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quorvantix/raster.h"

namespace qv::render {

// The bitmap turned clockwise by 90, 180 or 270 degrees (any other angle: a copy).
std::unique_ptr<Bitmap> turned(const Bitmap& bitmap, std::int32_t degrees);

struct PngExtras {
    std::optional<double> dotsPerInch;
    std::optional<TColor> transparent;  // this colour gets alpha 0
};

// The PNG with the chunks added before its image data. False, with the reason, when the PNG is
// not one this library writes (a colour type without a palette or RGB, or a malformed stream).
bool addPngChunks(std::vector<std::uint8_t>& png, const PngExtras& extras, std::string* error);

}  // namespace qv::render
