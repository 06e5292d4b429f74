#include "canvas/text_render.h"

#include <algorithm>
#include <climits>

#include "canvas/font_engine.h"

namespace qv::canvas {

std::int32_t textAdvance(const Font& font, std::string_view text) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(sizedFont(font)->advance(text), INT32_MAX));
}

std::int32_t textCellHeight(const Font& font) {
    return sizedFont(font)->cellHeight();
}

template <class P>
bool renderText(const SurfaceOf<P>& s, std::int64_t x, std::int64_t y, std::string_view text,
                const Font& font, const Brush& brush, std::type_identity_t<P> ink,
                std::type_identity_t<P> paper) {
    const auto sized = sizedFont(font);
    const std::int64_t cell = sized->cellHeight();
    const std::int64_t width = sized->advance(text);
    if (brush.style == BrushStyle::Solid) s.fillRect(x, y, x + width, y + cell, paper);
    const std::int64_t baseline = y + sized->ascent();
    std::int64_t penX = x;
    for (const char ch : text) {
        if (penX >= s.width) break;  // advances never go backwards
        const Glyph& g = sized->glyph(static_cast<std::uint8_t>(ch));
        const std::int64_t gx = penX + g.left;
        const std::int64_t gy = baseline - g.top;
        penX += g.advance;
        // The glyph's rows and columns on the surface.
        const std::int64_t c0 = std::max<std::int64_t>(0, -gx);
        const std::int64_t c1 = std::min<std::int64_t>(g.width, s.width - gx);
        const std::int64_t r0 = std::max<std::int64_t>(0, -gy);
        const std::int64_t r1 = std::min<std::int64_t>(g.rows, s.height - gy);
        if (c0 == 0 && c1 == g.width && r0 == 0 && r1 == g.rows && g.rows > 0) {
            // Wholly inside: each row's runs as they are.
            P* line = s.pixels + gy * s.width + gx;
            const ShapeRow* run = g.spans.data();
            for (std::size_t r = 1; r < g.rowStart.size(); ++r, line += s.width) {
                for (const ShapeRow* end = g.spans.data() + g.rowStart[r]; run != end; ++run)
                    fillShort(line + run->from, line + run->to, ink);
            }
            continue;
        }
        for (std::int64_t r = r0; r < r1; ++r) {
            const std::int64_t row = (gy + r) * s.width + gx;
            for (const ShapeRow run : g.inkOf(static_cast<std::int32_t>(r))) {
                const std::int64_t from = std::max<std::int64_t>(run.from, c0);
                const std::int64_t to = std::min<std::int64_t>(run.to, c1);
                if (from < to) fillShort(s.pixels + row + from, s.pixels + row + to, ink);
            }
        }
    }
    // Rules one pixel thick per 14 pixels of cell, like the platform's thin strokes.
    const std::int64_t thickness = std::max<std::int64_t>(1, cell / 14);
    if (font.underline) s.fillRect(x, baseline + 1, x + width, baseline + 1 + thickness, ink);
    if (font.strikeout) {
        const std::int64_t top = baseline - sized->ascent() / 3;
        s.fillRect(x, top, x + width, top + thickness, ink);
    }
    return !sized->blank();
}

template bool renderText<std::uint32_t>(const Surface&, std::int64_t, std::int64_t,
                                        std::string_view, const Font&, const Brush&, std::uint32_t,
                                        std::uint32_t);
template bool renderText<std::uint8_t>(const IndexSurface&, std::int64_t, std::int64_t,
                                       std::string_view, const Font&, const Brush&, std::uint8_t,
                                       std::uint8_t);

}  // namespace qv::canvas
