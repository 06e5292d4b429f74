#include "quorvantix/render.h"

#include <algorithm>

#include "quorvantix/bounds.h"
#include "quorvantix/host.h"
#include "quorvantix/png.h"
#include "quorvantix/raster.h"
#include "quorvantix/svg.h"
#include "render/host_settings.h"
#include "render/image_painting.h"
#include "render/property_values.h"
#include "render/refusals.h"

namespace qv {
namespace {

TColor backColor(const Control& control) {
    const auto v = readPropertyValue(control, "BackColor");
    if (v && std::holds_alternative<std::int32_t>(*v))
        return static_cast<TColor>(std::get<std::int32_t>(*v));
    return 0xFFFFFF;
}

// The margin repeated on the far side: the margin properties where there are any, else the
// distance of the drawing from the near edge.
std::int64_t farMargin(const Control& control, std::string_view margin, std::string_view offset,
                       std::int64_t drawnFrom) {
    const std::int64_t m =
        margin.empty() && offset.empty()
            ? drawnFrom
            : render::integerProperty(control, margin) + render::integerProperty(control, offset);
    return std::clamp<std::int64_t>(m, 0, kMaxImageSide + 1);
}

// ".png" and ".PNG" alike.
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           sameIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
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
        return findProperty(control.properties(), name) ? name : std::string_view{};
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

namespace {

// Where a paint draws, measured on a surface larger than the largest image, so that a drawing
// that passes the limit shows as such. Empty when it draws nothing.
Rect drawnBounds(Control& control) {
    const TColor back = backColor(control);
    BoundsCanvas canvas({0, 0, kMaxImageSide + 1, kMaxImageSide + 1}, back);
    canvas.pen.color = back;
    control.paintBarcode(canvas);
    return canvas.empty() ? Rect{} : canvas.bounds();
}

}  // namespace

std::optional<ImageSize> fitImageSize(Control& control, const std::optional<FitMargins>& margins,
                                      std::string* error) {
    const FitMargins m = margins.value_or(standardMargins(control));
    const Rect b = drawnBounds(control);
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

namespace render {

RenderedImage paintImage(Control& control, ImageFormat format, const RenderOptions& options) {
    RenderedImage result;
    std::vector<Note> cut;
    if (options.width != 0 || options.height != 0) {
        if (auto problem = checkImageSize(options.width, options.height)) {
            result.error = *problem;
            return result;
        }
        result.size = {options.width, options.height};
        // Only for the built-in controls is a cut symbol known to be unreadable.
        const Rect b = kindOf(control) ? drawnBounds(control) : Rect{};
        if (b.right > options.width || b.bottom > options.height)
            cut.push_back(
                {Note::Severity::Error, "the symbol reaches to " + std::to_string(b.right) + " x " +
                                            std::to_string(b.bottom) + " pixels: an image of " +
                                            std::to_string(options.width) + " x " +
                                            std::to_string(options.height) + " would cut it"});
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
    addRefusals(control, result.notes);
    result.notes.insert(result.notes.end(), cut.begin(), cut.end());
    return result;
}

}  // namespace render

RenderedImage renderImage(Control& control, ImageFormat format, const RenderOptions& options) {
    const render::ScopedHostSettings settings(control, options);
    if (settings.problem()) {
        RenderedImage none;
        none.error = *settings.problem();
        return none;
    }
    for (const Note& note : settings.notes()) {
        if (note.severity == Note::Severity::Error) {
            RenderedImage none;
            none.error = note.text;
            none.notes = settings.notes();
            return none;
        }
    }
    RenderedImage image = render::paintImage(control, format, options);
    image.notes.insert(image.notes.begin(), settings.notes().begin(), settings.notes().end());
    return image;
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
    if (options.strict && !image.notes.empty()) {
        image.error = "not written (strict): " + image.notes.front().text;
        return image;
    }
    std::string why;
    if (!writeFileAtomically(path, image.bytes.data(), image.bytes.size(), &why))
        image.error = "cannot write " + path + (why.empty() ? "" : ": " + why);
    return image;
}

}  // namespace qv
