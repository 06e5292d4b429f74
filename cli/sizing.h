// --scale and --quiet-zone, as the host layer applies them.
#pragma once

#include "registry.h"
#include "render/sizing.h"

namespace qv::cli {

inline void applySizing(const ControlEntry& entry, Control& control,
                        std::optional<std::int32_t> scale, std::optional<std::int32_t> quietZone) {
    render::applySizing(entry, control, scale, quietZone);
}

}  // namespace qv::cli
