#include "gdi_canvas.h"

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <vector>

#include "canvas_gdi/gdi_objects.h"

namespace qv::gdi {
namespace {

int textLength(std::string_view text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

// Pen and brush of the canvas, selected for one drawing call.
class ShapeState {
  public:
    ShapeState(HDC dc, const Pen& pen, const Brush& brush)
        : pen_(createPen(pen)),
          brush_(createBrush(brush)),
          penSelection_(dc, pen_ ? static_cast<HGDIOBJ>(pen_.get()) : GetStockObject(BLACK_PEN)),
          brushSelection_(
              dc, brush_ ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(NULL_BRUSH)) {}

  private:
    GdiHandle<HPEN> pen_;
    GdiHandle<HBRUSH> brush_;
    Selection penSelection_;
    Selection brushSelection_;
};

}  // namespace

Rect GdiCanvas::clipRect() const {
    if (fixedClip_) return clip_;
    RECT r{};
    if (GetClipBox(dc_, &r) == ERROR) return {};
    return {r.left, r.top, r.right, r.bottom};
}

void GdiCanvas::polygon(std::span<const Point> points) {
    if (points.empty()) return;
    std::vector<POINT> pts;
    pts.reserve(points.size());
    for (const Point& p : points) pts.push_back(POINT{p.x, p.y});
    const ShapeState state(dc_, pen, brush);
    const int count = static_cast<int>(std::min<std::size_t>(pts.size(), INT_MAX));
    Polygon(dc_, pts.data(), count);
}

void GdiCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    const ShapeState state(dc_, pen, brush);
    Ellipse(dc_, l, t, r, b);
}

void GdiCanvas::line(Point a, Point b) {
    const ShapeState state(dc_, pen, brush);
    MoveToEx(dc_, a.x, a.y, nullptr);
    LineTo(dc_, b.x, b.y);
}

void GdiCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    const GdiHandle<HFONT> handle = createFont(font);
    const Selection selection(dc_, handle.get());
    SetTextColor(dc_, font.color & 0xFFFFFF);
    SetBkColor(dc_, brush.color & 0xFFFFFF);
    SetBkMode(dc_, brush.style == BrushStyle::Solid ? OPAQUE : TRANSPARENT);
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutA(dc_, x, y, text.data(), textLength(text));
}

std::int32_t GdiCanvas::textWidth(std::string_view text) {
    const GdiHandle<HFONT> handle = createFont(font);
    const Selection selection(dc_, handle.get());
    SIZE size{};
    if (!GetTextExtentPoint32A(dc_, text.data(), textLength(text), &size)) return 0;
    return size.cx;
}

std::int32_t GdiCanvas::textHeight(std::string_view) {
    const GdiHandle<HFONT> handle = createFont(font);
    const Selection selection(dc_, handle.get());
    TEXTMETRICA metrics{};
    if (!GetTextMetricsA(dc_, &metrics)) return 0;
    return metrics.tmHeight;
}

void GdiCanvas::copyRect(const Rect& to, Canvas& src, const Rect& from) {
    const auto* source = dynamic_cast<const GdiCanvas*>(&src);
    if (source == nullptr) return;
    // Same size, no stretching: the smaller of the two rectangles.
    const std::int64_t w =
        std::min(std::int64_t{to.right} - to.left, std::int64_t{from.right} - from.left);
    const std::int64_t h =
        std::min(std::int64_t{to.bottom} - to.top, std::int64_t{from.bottom} - from.top);
    if (w <= 0 || h <= 0 || w > INT_MAX || h > INT_MAX) return;
    BitBlt(dc_, to.left, to.top, static_cast<int>(w), static_cast<int>(h), source->dc(), from.left,
           from.top, SRCCOPY);
}

namespace {

HDC createMemoryDc(HDC compatibleWith) {
    HDC dc = CreateCompatibleDC(compatibleWith);
    if (dc == nullptr) throw std::runtime_error("cannot create a memory device context");
    return dc;
}

}  // namespace

GdiBitmap::GdiBitmap(HDC compatibleWith, std::int32_t width, std::int32_t height)
    : dc_(createMemoryDc(compatibleWith)),
      bitmap_(CreateCompatibleBitmap(compatibleWith != nullptr ? compatibleWith : dc_,
                                     std::max(width, 1), std::max(height, 1))),
      previous_(nullptr),
      canvas_(dc_) {
    if (bitmap_ == nullptr) {
        DeleteDC(dc_);
        throw std::runtime_error("cannot create an off-screen bitmap");
    }
    previous_ = SelectObject(dc_, bitmap_);
}

GdiBitmap::~GdiBitmap() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

DibSection::DibSection(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      dc_(createMemoryDc(nullptr)),
      bitmap_(nullptr),
      previous_(nullptr),
      canvas_(dc_) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr) {
        DeleteDC(dc_);
        throw std::runtime_error("cannot create a DIB section");
    }
    pixels_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
}

DibSection::~DibSection() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

}  // namespace qv::gdi
