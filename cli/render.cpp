#include "render.h"

#include <algorithm>

#include "property_setting.h"
#include "quorvantix/bounds.h"
#include "quorvantix/png.h"
#include "quorvantix/raster.h"
#include "quorvantix/svg.h"

namespace qv::cli {
namespace {

TColor backColor(const Control& control) {
    auto v = readProperty(control, "BackColor");
    if (v && std::holds_alternative<std::int32_t>(*v))
        return static_cast<TColor>(std::get<std::int32_t>(*v));
    return 0xFFFFFF;
}

std::int64_t integerProperty(const Control& control, std::string_view name) {
    if (name.empty()) return 0;
    auto v = readProperty(control, name);
    if (v && std::holds_alternative<std::int32_t>(*v)) return std::get<std::int32_t>(*v);
    return 0;
}

// The margin repeated on the far side: the control's margin properties where it names them,
// else the distance of the drawing from the near edge.
std::int64_t farMargin(const Control& control, std::string_view margin, std::string_view offset,
                       std::int64_t drawnFrom) {
    const std::int64_t m =
        margin.empty() ? drawnFrom
                       : integerProperty(control, margin) + integerProperty(control, offset);
    return std::clamp<std::int64_t>(m, 0, kMaxSide + 1);
}

// The fitted size: what the paint draws plus the margins repeated on the right and below.
Size measure(Control& control, const ControlEntry& entry, std::string& sizeError) {
    const TColor back = backColor(control);
    // Larger than the largest image, so a drawing that passes the limit shows as such.
    BoundsCanvas canvas({0, 0, kMaxSide + 1, kMaxSide + 1}, back);
    canvas.pen.color = back;
    control.paintBarcode(canvas);
    Rect b = canvas.bounds();
    if (canvas.empty()) b = Rect{};
    const std::int64_t right = std::max<std::int64_t>(b.right, 0);
    const std::int64_t bottom = std::max<std::int64_t>(b.bottom, 0);
    const std::int64_t width =
        std::max<std::int64_t>(1, right + farMargin(control, entry.leftMargin, entry.leftOffset,
                                                    std::max<std::int64_t>(b.left, 0)));
    const std::int64_t height =
        std::max<std::int64_t>(1, bottom + farMargin(control, entry.topMargin, entry.topOffset,
                                                     std::max<std::int64_t>(b.top, 0)));
    if (auto problem = checkImageSize(width, height)) {
        sizeError = "the symbol does not fit: " + *problem + "; make it smaller or give --size";
        return {};
    }
    return Size{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

std::vector<std::uint8_t> paintImage(Control& control, Size size, ImageFormat format) {
    const TColor back = backColor(control);
    if (format == ImageFormat::Svg) {
        SvgCanvas svg(size.width, size.height);
        svg.pen.color = back;
        control.paintBarcode(svg);
        const std::string doc = svg.document();
        return {doc.begin(), doc.end()};
    }
    Bitmap bitmap(size.width, size.height);
    bitmap.canvas().pen.color = back;
    control.paintBarcode(bitmap.canvas());
    return encodePng(bitmap);
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::ranges::equal(text.substr(text.size() - suffix.size()), suffix, [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b;
    });
}

}  // namespace

std::optional<ImageFormat> imageFormatOf(std::string_view path) {
    if (endsWithIgnoringCase(path, ".png")) return ImageFormat::Png;
    if (endsWithIgnoringCase(path, ".svg")) return ImageFormat::Svg;
    return std::nullopt;
}

Rendered render(Control& control, const ControlEntry& entry, std::optional<Size> size,
                std::optional<ImageFormat> format) {
    Rendered result;
    if (!format) {
        // No image: one paint for the notes and the result properties.
        measure(control, entry, result.sizeError);
        result.sizeError.clear();
    } else {
        if (!size) size = measure(control, entry, result.sizeError);
        if (result.sizeError.empty()) result.bytes = paintImage(control, *size, *format);
    }
    result.notes = control.notes();
    return result;
}

}  // namespace qv::cli
