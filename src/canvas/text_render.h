// Text through the font engine, shared by every canvas so that metrics agree across surfaces.
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "canvas/surface.h"

namespace qv::canvas {

// Advance width of the text in pixels (bytes mapped through Windows-1252).
std::int32_t textAdvance(const Font& font, std::string_view text);
// Cell height (ascent + descent) in pixels.
std::int32_t textCellHeight(const Font& font);
// Cell with its top-left at (x, y): background in the brush colour when solid, then the glyphs.
// `ink` and `paper` are the font's and the brush's colours as the surface's pixels. False when
// the font has no glyphs to draw (FreeType is missing): the cell is then left blank.
template <class P>
bool renderText(const SurfaceOf<P>& s, std::int64_t x, std::int64_t y, std::string_view text,
                const Font& font, const Brush& brush, std::type_identity_t<P> ink,
                std::type_identity_t<P> paper);

}  // namespace qv::canvas
