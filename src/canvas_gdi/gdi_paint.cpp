#include "canvas_gdi/gdi_paint.h"

#include <exception>
#include <optional>

#include "canvas_gdi/gdi_canvas.h"

namespace qv::gdi {
namespace {

// Larger sizes than this are refused, as the raster paint handler refuses them.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

}  // namespace

bool paintControl(Control& control, HDC dc, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height) noexcept {
    if (dc == nullptr || width <= 0 || height <= 0 || std::int64_t{width} * height > kMaxPixels) {
        return false;
    }
    try {
        GdiBitmap bitmap(dc, width, height);
        control.paintBarcode(bitmap.canvas());
        return BitBlt(dc, x, y, width, height, bitmap.canvas().dc(), 0, 0, SRCCOPY) != 0;
    } catch (const std::exception&) {
        return false;  // a container's paint never sees an exception
    }
}

}  // namespace qv::gdi
