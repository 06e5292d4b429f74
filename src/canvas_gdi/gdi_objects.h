// GDI pens, brushes and fonts for the canvas state, owned and deleted by RAII handles.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "quorvantix/canvas.h"

namespace qv::gdi {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const {
        if (object != nullptr) DeleteObject(object);
    }
};
template <class Handle>
using GdiHandle = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

// Pens wider than this are drawn at this width, as on the raster canvas.
constexpr std::int32_t kMaxPenWidth = 1 << 16;

GdiHandle<HPEN> createPen(const Pen& pen);
// Null for a clear brush: the caller selects the stock null brush instead.
GdiHandle<HBRUSH> createBrush(const Brush& brush);
// A positive height is the cell height, a negative one the character height, as GDI reads them.
GdiHandle<HFONT> createFont(const Font& font);

// Selects an object into a DC for the lifetime of the guard and restores the previous one.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace qv::gdi
