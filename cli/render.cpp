#include "render.h"

namespace qv::cli {

Rendered render(Control& control, const ControlEntry& entry, std::optional<Size> size,
                std::optional<ImageFormat> format) {
    Rendered result;
    if (!format) {
        // The size limit does not matter when nothing is written.
        std::string ignored;
        fitImageSize(control, entry.margins, &ignored);
        result.notes = control.notes();
        return result;
    }
    RenderOptions options;
    options.margins = entry.margins;
    if (size) {
        options.width = size->width;
        options.height = size->height;
    }
    RenderedImage image = renderImage(control, *format, options);
    if (!image.ok()) result.sizeError = image.error + "; make it smaller or give --size";
    result.bytes = std::move(image.bytes);
    result.notes = std::move(image.notes);
    return result;
}

}  // namespace qv::cli
