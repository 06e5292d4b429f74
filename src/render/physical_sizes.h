// Physical units for the built-in controls: a resolution, and module sizes, bar heights and
// quiet zones in millimetres, written as whole dots into the control's properties.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quorvantix/host.h"

namespace qv::render {

// Why the physical options do not apply to this kind (a length without a resolution, a bar
// height for a matrix symbol, ...); nullopt when they do.
std::optional<std::string> physicalProblem(const ControlKind& kind, const RenderOptions& options);

struct PhysicalResult {
    std::vector<std::string> facts;  // "X-dimension 0.339 mm = 4 dots at 300 dpi"
    std::vector<Note> notes;         // an X-dimension outside its application standard's range
};

// Writes the dots into the control (after the scale and the quiet zone in modules).
PhysicalResult applyPhysicalSizes(const ControlKind& kind, Control& control,
                                  const RenderOptions& options);

}  // namespace qv::render
