#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/raster.h"

namespace qv {

struct PngOptions {
    // Written as the image's resolution (pHYs) when above 0.
    double dpi = 0;
};

// PNG of the bitmap: indexed with the fewest bits per pixel when it has at most 256 colours,
// else 8-bit RGB. Empty for an empty bitmap, one wider or taller than 1,000,000 pixels (which
// readers refuse), or on failure.
std::vector<std::uint8_t> encodePng(const Bitmap& bitmap, const PngOptions& options = {});
// The same pixels straight from the indices: a palette of the colours the pixels use, with the
// fewest bits per pixel. Empty as above, and for a bitmap that is not exact().
std::vector<std::uint8_t> encodePng(const IndexedBitmap& bitmap, const PngOptions& options = {});
class FolderSync;

// Writes atomically (temporary file, then rename): the file appears whole or not at all. Not
// flushed to disk: with `sync`, its folder is noted there for one flush later. False with a
// message in *error on failure.
bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error, FolderSync* sync = nullptr);

}  // namespace qv
