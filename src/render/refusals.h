// Symbols that would be written but not read as their data: a host for people refuses them, with
// an Error note that says why, where the controls themselves draw what they can.
#pragma once

#include <vector>

#include "quorvantix/control.h"

namespace qv::render {

// The refusals (and warnings of values out of range) for a built-in control after its paint,
// added to `notes`.
void addRefusals(const Control& control, std::vector<Note>& notes);

// The refusals of each control, from its properties after the paint.
void refuseLinear(const Control& control, std::vector<Note>& notes);
void refuseMaxicode(const Control& control, std::vector<Note>& notes);
void refusePdf417(const Control& control, std::vector<Note>& notes);

}  // namespace qv::render
