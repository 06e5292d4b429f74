// Each symbology's standard quiet zone, in modules, for --quiet-zone standard.
#pragma once

#include <cstdint>
#include <optional>

#include "quorvantix/control.h"

namespace qv::render {

struct QuietZone {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // modules
};

// The built-in control's standard quiet zone for what it draws now; nullopt where none is set in
// modules (POSTNET's is a distance) or the control is none of the built-in ones.
std::optional<QuietZone> standardQuietZone(const Control& control);

}  // namespace qv::render
