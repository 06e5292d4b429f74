// Painting a control into an image for the command, through the library's render calls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "options.h"
#include "quorvantix/render.h"
#include "registry.h"

namespace qv::cli {

struct Rendered {
    std::vector<std::uint8_t> bytes;  // the encoded image (empty when no format was asked for)
    std::vector<Note> notes;          // of the last paint
    std::string sizeError;            // the fitted image would pass the size limit
};

// Paints the control sized to fit (unless `size` is given) with the entry's margins; without a
// format, paints once for the notes and the result properties.
Rendered render(Control& control, const ControlEntry& entry, std::optional<Size> size,
                std::optional<ImageFormat> format);

}  // namespace qv::cli
