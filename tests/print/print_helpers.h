// Reading print output back: through Debian's PDF and PostScript renderers, and PNG with alpha.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quorvantix/raster.h"
#include "quorvantix/render.h"

namespace qv::test {

// Runs a shell command; its standard output, and its exit status in *status.
std::string shell(const std::string& command, int* status = nullptr);

// Writes bytes to a fresh file in a temporary folder (removed at exit) and returns its path.
std::string scratchFile(const std::string& name, const std::vector<std::uint8_t>& bytes);

// The page rendered at `dpi` in grey (pdftoppm for PDF, gs for EPS); nullptr when the renderer
// failed. Page numbers count from 1.
std::unique_ptr<Bitmap> renderBack(ImageFormat format, const std::string& path, double dpi,
                                   int page = 1);

struct Rgba;
// The page rendered at `dpi` with its transparency (pdftocairo for PDF, gs for EPS).
Rgba renderBackWithAlpha(ImageFormat format, const std::string& path, double dpi);

struct Rgba {
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint8_t> pixels;  // 4 bytes a pixel
    std::uint8_t alpha(std::uint32_t x, std::uint32_t y) const {
        return pixels[(std::size_t{y} * width + x) * 4 + 3];
    }
};
// A PNG decoded to RGBA (tRNS applied); empty on failure.
Rgba decodePng(const std::vector<std::uint8_t>& png);
// RGBA onto a raster (alpha ignored).
std::unique_ptr<Bitmap> toBitmap(const Rgba& image);

// Pixels dark (below half grey) in one raster and light in the other.
std::int64_t inkDifferences(const Bitmap& a, const Bitmap& b);

}  // namespace qv::test
