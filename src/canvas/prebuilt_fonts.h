// Glyphs of the built-in face at its common sizes, rendered by FreeType through this very engine
// when the library is built (tools/glyph_table): default text then needs no FreeType at run
// time, and is the same pixels as rendered.
#pragma once

#include <cstdint>
#include <span>

#include "quorvantix/canvas.h"

namespace qv::canvas {

struct PrebuiltGlyph {
    std::int32_t left, top, width, rows, advance;
    // The glyph's runs and row starts (Glyph::spans, Glyph::rowStart) in the font's arrays.
    std::uint32_t firstSpan, spanCount;
    std::uint32_t firstRow, rowCount;
};

struct PrebuiltFont {
    std::int32_t height;  // Font::height, a cell height
    bool bold;
    std::int32_t pixelSize, ascent, cellHeight;
    const PrebuiltGlyph* glyphs;  // 256, by text byte
    const ShapeRow* spans;
    const std::uint32_t* rowStarts;
};

std::span<const PrebuiltFont> prebuiltFonts();

}  // namespace qv::canvas
