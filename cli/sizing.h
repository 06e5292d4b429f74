// Sizing for people: --scale and --quiet-zone, which only write the control's properties.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "registry.h"

namespace qv::cli {

// Why the entry cannot take the sizing asked for; nullopt when it can.
std::optional<std::string> sizingProblem(const ControlEntry& entry,
                                         std::optional<std::int32_t> scale,
                                         std::optional<std::int32_t> quietZone);

// Multiplies each of the entry's scaled properties by `scale`, then sets the margin properties to
// `quietZone` modules of the (scaled) module size. Products beyond 32 bits stop at the limit.
void applySizing(const ControlEntry& entry, Control& control, std::optional<std::int32_t> scale,
                 std::optional<std::int32_t> quietZone);

}  // namespace qv::cli
