#include "gdi_objects.h"

#include <algorithm>

namespace qv::gdi {

GdiHandle<HPEN> createPen(const Pen& pen) {
    const int width = std::clamp(pen.width, 1, kMaxPenWidth);
    return GdiHandle<HPEN>(CreatePen(PS_SOLID, width, pen.color & 0xFFFFFF));
}

GdiHandle<HBRUSH> createBrush(const Brush& brush) {
    if (brush.style == BrushStyle::Clear) return nullptr;
    return GdiHandle<HBRUSH>(CreateSolidBrush(brush.color & 0xFFFFFF));
}

GdiHandle<HFONT> createFont(const Font& font) {
    LOGFONTA lf{};
    lf.lfHeight = font.height;
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeout;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = NONANTIALIASED_QUALITY;  // the same glyph pixels on every target
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    // Longer names are cut, as the face name field holds 31 characters.
    const std::size_t n = std::min(font.name.size(), sizeof lf.lfFaceName - 1);
    std::copy_n(font.name.begin(), n, lf.lfFaceName);
    return GdiHandle<HFONT>(CreateFontIndirectA(&lf));
}

}  // namespace qv::gdi
