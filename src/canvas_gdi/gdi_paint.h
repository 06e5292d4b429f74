// The paint handler on a device context: an off-screen bitmap of the given size, paintBarcode on
// it, the copy of (0, 0, width, height) onto the DC at (x, y), the bitmap freed.
#pragma once

#include <windows.h>

#include "quorvantix/control.h"

namespace qv::gdi {

// Returns false when nothing could be drawn. Throws nothing.
bool paintControl(Control& control, HDC dc, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height) noexcept;

}  // namespace qv::gdi
