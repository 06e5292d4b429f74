// Painting a control into an image: sized to fit what it draws, or to a size given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "registry.h"

namespace qv::cli {

enum class ImageFormat : std::uint8_t { Png, Svg };

// By the file's extension (.png or .svg, any case); nullopt for any other.
std::optional<ImageFormat> imageFormatOf(std::string_view path);

struct Rendered {
    std::vector<std::uint8_t> bytes;  // the encoded image (empty when no format was asked for)
    std::vector<Note> notes;          // of the last paint
    std::string sizeError;            // the fitted image would pass the size limit
};

// Paints the control: first onto a bounds canvas to measure (unless `size` is given), then onto
// an image of the format asked for. Every canvas's pen starts in the control's BackColor, so the
// background fill leaves no outline.
Rendered render(Control& control, const ControlEntry& entry, std::optional<Size> size,
                std::optional<ImageFormat> format);

}  // namespace qv::cli
