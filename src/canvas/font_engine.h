// Fonts by name through fontconfig, rasterised by FreeType in monochrome (crisp 1-bit glyphs,
// the same pixels on every run). Faces and glyphs are cached per font file and size; the cache
// is shared by all canvases and safe to use from several threads at once.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "quorvantix/canvas.h"

namespace qv::canvas {

struct Glyph {
    std::int32_t left = 0;  // from the pen position to the bitmap's first column
    std::int32_t top = 0;   // from the baseline up to the bitmap's first row
    std::int32_t width = 0;
    std::int32_t rows = 0;
    std::int32_t advance = 0;
    // The ink of each row as runs of columns: row r's are spans[rowStart[r]] up to
    // spans[rowStart[r + 1]], so drawing fills runs rather than testing every pixel.
    std::vector<ShapeRow> spans;
    std::vector<std::uint32_t> rowStart;

    std::span<const ShapeRow> inkOf(std::int32_t row) const {
        const auto r = static_cast<std::size_t>(row);
        return std::span(spans).subspan(rowStart[r], rowStart[r + 1] - rowStart[r]);
    }
};

struct FaceHandle;
struct PrebuiltFont;

// One font at one size: its metrics and, rendered on first use, its 256 glyphs.
class SizedFont {
  public:
    SizedFont(std::shared_ptr<FaceHandle> face, std::int32_t pixelSize, std::int32_t ascent,
              std::int32_t cellHeight);
    // Glyphs taken from a table rendered at build time instead of by FreeType.
    explicit SizedFont(const PrebuiltFont& prebuilt);

    std::int32_t ascent() const { return ascent_; }
    // The em size the glyphs are rendered at.
    std::int32_t pixelSize() const { return pixelSize_; }
    std::int32_t cellHeight() const { return cellHeight_; }
    // Glyph of a text byte (Windows-1252).
    const Glyph& glyph(std::uint8_t byte) const;
    std::int64_t advance(std::string_view text) const;
    // No glyphs to draw: neither the prebuilt table nor FreeType serves this font.
    bool blank() const;

  private:
    std::shared_ptr<FaceHandle> face_;
    const PrebuiltFont* prebuilt_ = nullptr;
    std::int32_t pixelSize_;
    std::int32_t ascent_;
    std::int32_t cellHeight_;
    mutable std::array<std::once_flag, 256> once_;
    // Set once a glyph is rendered: later lookups skip the once-call.
    mutable std::array<std::atomic<bool>, 256> ready_{};
    mutable std::array<Glyph, 256> glyphs_;
};

// Pixel sizes are clamped to this range whatever the font's height says.
inline constexpr std::int32_t kMinPixelSize = 1;
inline constexpr std::int32_t kMaxPixelSize = 1000;

// The sized font for a canvas font; never null.
std::shared_ptr<const SizedFont> sizedFont(const Font& font);
// The same, always rendered by FreeType, never from the prebuilt table (which is made from it).
std::shared_ptr<const SizedFont> renderedFont(const Font& font);

// The font file of the default face (Font's own name), regular or bold, built into the library:
// default text needs no font configuration and is the same pixels on every machine.
std::span<const std::uint8_t> builtinFace(bool bold);

}  // namespace qv::canvas
