#include "canvas/text_render.h"

namespace qv::canvas {

std::int32_t textAdvance(const Font& font, std::string_view text) {
    (void)font;
    return static_cast<std::int32_t>(text.size() * 6);
}
std::int32_t textCellHeight(const Font& font) {
    return font.height < 0 ? (font.height == INT32_MIN ? 1000 : -font.height) : font.height;
}
void renderText(const Surface& s, std::int64_t x, std::int64_t y, std::string_view text,
                const Font& font, const Brush& brush) {
    if (brush.style == BrushStyle::Solid) {
        s.fillRect(x, y, x + textAdvance(font, text), y + textCellHeight(font), brush.color);
    }
}

}  // namespace qv::canvas
