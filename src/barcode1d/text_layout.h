// Placement of the human-readable text under (or over) a linear symbol.
#pragma once

#include "quorvantix/barcode1d.h"
#include "quorvantix/canvas.h"

namespace qv::barcode1d {

// Draws codeText (and an add-on's codeSup) with the canvas's current font, which must be the
// control's font.
void layoutText(Canvas& canvas, const Barcode1DProperties& props, const LayoutMarks& marks);

}  // namespace qv::barcode1d
