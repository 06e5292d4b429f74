// The scale and quiet-zone options, which only write the control's properties.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "quorvantix/host.h"

namespace qv::render {

// Why the kind cannot take the sizing asked for; nullopt when it can.
std::optional<std::string> sizingProblem(const ControlKind& kind, const RenderOptions& options);

// Multiplies each of the kind's scaled properties by the scale, then sets the margin properties
// to the quiet zone in modules of the (scaled) module size: `quietZone`, or with `standardZone`
// the left and top of the symbology's own. Products beyond 32 bits stop at the limit.
void applySizing(const ControlKind& kind, Control& control, std::optional<std::int32_t> scale,
                 std::optional<std::int32_t> quietZone, bool standardZone = false);

// With options.standardQuietZone, the right and bottom quiet zone in pixels that a fitted image
// leaves after the symbol.
std::optional<std::pair<std::int64_t, std::int64_t>> farQuietZone(const Control& control,
                                                                  const RenderOptions& options);

}  // namespace qv::render
