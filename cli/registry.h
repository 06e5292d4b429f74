// The controls the command hosts: the host layer's kinds (tests give it others of the same form).
#pragma once

#include <span>
#include <string_view>

#include "quorvantix/host.h"

namespace qv::cli {

using ControlEntry = ControlKind;

inline std::span<const ControlEntry> builtinControls() {
    return controlKinds();
}

inline const ControlEntry* findControl(std::span<const ControlEntry> controls,
                                       std::string_view name) {
    return findControlKind(controls, name);
}

}  // namespace qv::cli
