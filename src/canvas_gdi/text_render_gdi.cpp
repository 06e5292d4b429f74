// The raster canvas's text functions on Windows: metrics and glyphs from GDI, so the raster
// canvas and the GDI canvas measure text alike.
#include <algorithm>
#include <climits>
#include <type_traits>

#include "canvas/text_render.h"
#include "canvas_gdi/gdi_canvas.h"
#include "canvas_gdi/gdi_objects.h"

namespace qv::canvas {
namespace {

// 0x00BBGGRR against a DIB's 0x00RRGGBB.
std::uint32_t swapRedBlue(std::uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

SIZE measure(const Font& font, std::string_view text, TEXTMETRICA* metrics) {
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE size{};
    if (dc == nullptr) return size;
    {
        const gdi::GdiHandle<HFONT> handle = gdi::createFont(font);
        const gdi::Selection selection(dc, handle.get());
        const int n = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
        GetTextExtentPoint32A(dc, text.data(), n, &size);
        if (metrics != nullptr) GetTextMetricsA(dc, metrics);
    }
    DeleteDC(dc);
    return size;
}

}  // namespace

std::int32_t textAdvance(const Font& font, std::string_view text) {
    return measure(font, text, nullptr).cx;
}

std::int32_t textCellHeight(const Font& font) {
    TEXTMETRICA metrics{};
    measure(font, "", &metrics);
    return metrics.tmHeight;
}

// GDI always has a font to draw with: true.
template <class P>
bool renderText(const SurfaceOf<P>& s, std::int64_t x, std::int64_t y, std::string_view text,
                const Font& font, const Brush& brush, std::type_identity_t<P> ink,
                std::type_identity_t<P> paper) {
    const SIZE size = measure(font, text, nullptr);
    // Only the part of the cell inside the surface is drawn.
    const std::int64_t x0 = std::max<std::int64_t>(x, 0);
    const std::int64_t y0 = std::max<std::int64_t>(y, 0);
    const std::int64_t x1 = std::min<std::int64_t>(x + size.cx, s.width);
    const std::int64_t y1 = std::min<std::int64_t>(y + size.cy, s.height);
    if (x0 >= x1 || y0 >= y1) return true;
    gdi::DibSection dib(static_cast<std::int32_t>(x1 - x0), static_cast<std::int32_t>(y1 - y0));
    auto forEachPixel = [&](auto&& f) {
        for (std::int64_t row = y0; row < y1; ++row) {
            for (std::int64_t col = x0; col < x1; ++col) {
                f(s.pixels[row * s.width + col],
                  dib.pixels()[(row - y0) * dib.width() + (col - x0)]);
            }
        }
    };
    dib.canvas().font = font;
    dib.canvas().brush = brush;
    if constexpr (std::is_same_v<P, std::uint32_t>) {
        forEachPixel(
            [](std::uint32_t& surface, std::uint32_t& cell) { cell = swapRedBlue(surface); });
        dib.canvas().textOut(static_cast<std::int32_t>(x - x0), static_cast<std::int32_t>(y - y0),
                             text);
        GdiFlush();
        forEachPixel(
            [](std::uint32_t& surface, std::uint32_t& cell) { surface = swapRedBlue(cell); });
    } else {
        // Palette indices: the glyphs are drawn without their cell over a colour that is not
        // the font's, and wherever the font's colour lands the ink goes (glyphs are not smoothed).
        if (brush.style == BrushStyle::Solid) s.fillRect(x, y, x + size.cx, y + size.cy, paper);
        const std::uint32_t glyph = swapRedBlue(font.color) & 0xFFFFFF;
        const std::uint32_t other = glyph ^ 0xFFFFFF;
        forEachPixel([&](P&, std::uint32_t& cell) { cell = other; });
        dib.canvas().brush.style = BrushStyle::Clear;
        dib.canvas().textOut(static_cast<std::int32_t>(x - x0), static_cast<std::int32_t>(y - y0),
                             text);
        GdiFlush();
        forEachPixel([&](P& surface, std::uint32_t& cell) {
            if ((cell & 0xFFFFFF) == glyph) surface = ink;
        });
    }
    return true;
}

template bool renderText<std::uint32_t>(const Surface&, std::int64_t, std::int64_t,
                                        std::string_view, const Font&, const Brush&, std::uint32_t,
                                        std::uint32_t);
template bool renderText<std::uint8_t>(const IndexSurface&, std::int64_t, std::int64_t,
                                       std::string_view, const Font&, const Brush&, std::uint8_t,
                                       std::uint8_t);

}  // namespace qv::canvas
