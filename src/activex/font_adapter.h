// The control's font seen by hosts as an OLE font object (IFontDisp), copied both ways: name,
// size, bold, italic, underline and strikeout. The colour is the control's own (OLE fonts have
// none) and stays as it is.
#pragma once

#include <windows.h>

#include <olectl.h>

#include "quorvantix/canvas.h"

namespace qv::activex {

// A new OLE font with the attributes of the font. Throws on failure.
IFontDisp* createOleFont(const Font& font);
// The attributes of any font dispatch object, applied to a copy of current. Throws on failure.
Font fontFromOle(IDispatch* ole, const Font& current);

// Pixel heights against point sizes at the screen's resolution. A height that the size still
// rounds to keeps its sign (cell or character height); another size becomes a character height.
std::int64_t pointSizeOf(std::int32_t height, int pixelsPerInch);  // in 1/10000 points
std::int32_t heightFor(std::int64_t size, std::int32_t current, int pixelsPerInch);

}  // namespace qv::activex
