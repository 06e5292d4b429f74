// The fill every control begins its paint with.
#pragma once

#include <cstdint>

#include "quorvantix/canvas.h"

namespace qv::canvas {

// Brush `colour`, solid, pen width 1 with its colour left as the canvas has it, and the rectangle
// polygon from the clip rectangle's top-left corner to (left + right - widthInset, top + bottom):
// the clip's right and bottom edges serve as width and height, as the platform's controls took
// them. The linear control passes a widthInset of 1, as its rectangles count the outline in the
// width; its right outline then lies inside a clip at the origin.
void fillBackground(Canvas& canvas, TColor colour, std::int32_t widthInset = 0);

}  // namespace qv::canvas
