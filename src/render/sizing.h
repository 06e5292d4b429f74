// The scale and quiet-zone options, which only write the control's properties.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "quorvantix/host.h"

namespace qv::render {

// Why the kind cannot take the sizing asked for; nullopt when it can.
std::optional<std::string> sizingProblem(const ControlKind& kind, const RenderOptions& options);

// Multiplies each of the kind's scaled properties by the scale, then sets the margin properties
// to the quiet zone in modules of the (scaled) module size. Products beyond 32 bits stop at the
// limit.
void applySizing(const ControlKind& kind, Control& control, std::optional<std::int32_t> scale,
                 std::optional<std::int32_t> quietZone);

}  // namespace qv::render
