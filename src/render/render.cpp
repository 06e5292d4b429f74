#include "quorvantix/render.h"

#include <algorithm>

#include "quorvantix/bounds.h"
#include "quorvantix/folder_sync.h"
#include "quorvantix/png.h"
#include "quorvantix/raster.h"
#include "quorvantix/svg.h"

namespace qv {
namespace {

std::optional<PropertyValue> readValue(const Control& control, std::string_view name) {
    if (name.empty()) return std::nullopt;
    const PropertyInfo* info = findProperty(control.properties(), name);
    if (!info || !info->get) return std::nullopt;
    return info->get(control);
}

std::int64_t integerProperty(const Control& control, std::string_view name) {
    const auto v = readValue(control, name);
    return v && std::holds_alternative<std::int32_t>(*v) ? std::get<std::int32_t>(*v) : 0;
}

TColor backColor(const Control& control) {
    const auto v = readValue(control, "BackColor");
    if (v && std::holds_alternative<std::int32_t>(*v))
        return static_cast<TColor>(std::get<std::int32_t>(*v));
    return 0xFFFFFF;
}

// The margin repeated on the far side: the margin properties where there are any, else the
// distance of the drawing from the near edge.
std::int64_t farMargin(const Control& control, std::string_view margin, std::string_view offset,
                       std::int64_t drawnFrom) {
    const std::int64_t m = margin.empty() && offset.empty() ? drawnFrom
                                                            : integerProperty(control, margin) +
                                                                  integerProperty(control, offset);
    return std::clamp<std::int64_t>(m, 0, kMaxImageSide + 1);
}

bool hasProperty(const Control& control, std::string_view name) {
    const auto table = control.properties();
    return std::ranges::any_of(table, [&](const PropertyInfo& p) { return p.name == name; });
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

std::optional<std::string> checkImageSize(std::int64_t width, std::int64_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width < 1 || height < 1) return "an image of " + size + " pixels has no area";
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
        return "an image of " + size + " pixels is larger than the limit of " +
               std::to_string(kMaxImageSide) + " pixels a side and " +
               std::to_string(kMaxImagePixels) + " pixels in all";
    return std::nullopt;
}

FitMargins standardMargins(const Control& control) {
    auto named = [&](std::string_view name) {
        return hasProperty(control, name) ? name : std::string_view{};
    };
    FitMargins m;
    m.left = m.top = named("Margin");
    if (m.left.empty()) {
        m.left = named("LeftMargin");
        m.top = named("TopMargin");
    }
    m.leftOffset = named("offsetX");
    m.topOffset = named("offsetY");
    return m;
}

std::optional<ImageSize> fitImageSize(Control& control, const std::optional<FitMargins>& margins,
                                      std::string* error) {
    const FitMargins m = margins.value_or(standardMargins(control));
    const TColor back = backColor(control);
    // Larger than the largest image, so a drawing that passes the limit shows as such.
    BoundsCanvas canvas({0, 0, kMaxImageSide + 1, kMaxImageSide + 1}, back);
    canvas.pen.color = back;
    control.paintBarcode(canvas);
    const Rect b = canvas.empty() ? Rect{} : canvas.bounds();
    const std::int64_t left = std::max<std::int64_t>(b.left, 0);
    const std::int64_t top = std::max<std::int64_t>(b.top, 0);
    const std::int64_t width = std::max<std::int64_t>(
        1, std::max<std::int64_t>(b.right, 0) + farMargin(control, m.left, m.leftOffset, left));
    const std::int64_t height = std::max<std::int64_t>(
        1, std::max<std::int64_t>(b.bottom, 0) + farMargin(control, m.top, m.topOffset, top));
    if (auto problem = checkImageSize(width, height)) {
        if (error) *error = "the symbol does not fit: " + *problem;
        return std::nullopt;
    }
    return ImageSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

RenderedImage renderImage(Control& control, ImageFormat format, const RenderOptions& options) {
    RenderedImage result;
    if (options.width != 0 || options.height != 0) {
        if (auto problem = checkImageSize(options.width, options.height)) {
            result.error = *problem;
            return result;
        }
        result.size = {options.width, options.height};
    } else if (auto fitted = fitImageSize(control, options.margins, &result.error)) {
        result.size = *fitted;
    } else {
        result.notes = control.notes();
        return result;
    }
    const TColor back = backColor(control);
    if (format == ImageFormat::Svg) {
        SvgCanvas svg(result.size.width, result.size.height);
        svg.pen.color = back;
        control.paintBarcode(svg);
        const std::string doc = svg.document();
        result.bytes.assign(doc.begin(), doc.end());
    } else {
        Bitmap bitmap(result.size.width, result.size.height);
        bitmap.canvas().pen.color = back;
        control.paintBarcode(bitmap.canvas());
        result.bytes = encodePng(bitmap);
    }
    result.notes = control.notes();
    return result;
}

RenderedImage renderToFile(Control& control, const std::string& path,
                           const RenderOptions& options) {
    const auto format = imageFormatOf(path);
    if (!format) {
        RenderedImage none;
        none.error = path + ": the file name must end in .png or .svg";
        return none;
    }
    RenderedImage image = renderImage(control, *format, options);
    if (!image.ok()) return image;
    for (const auto& note : image.notes) {
        if (note.severity == Note::Severity::Error) {
            image.error = "not written: " + note.text;
            return image;
        }
    }
    std::string why;
    FolderSync sync;
    if (!writeFileAtomically(path, image.bytes.data(), image.bytes.size(), &why,
                             options.sync ? &sync : nullptr))
        image.error = "cannot write " + path + (why.empty() ? "" : ": " + why);
    else if (!sync.flush(&why))
        image.error = why;
    return image;
}

}  // namespace qv
