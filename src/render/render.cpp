#include "quorvantix/render.h"

#include <algorithm>

#include "quorvantix/bounds.h"
#include "quorvantix/folder_sync.h"
#include "quorvantix/host.h"
#include "quorvantix/png.h"
#include "render/host_settings.h"
#include "render/image_painting.h"
#include "render/image_writer.h"
#include "render/placement.h"
#include "render/property_values.h"
#include "render/refusals.h"
#include "render/sizing.h"

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
    if (endsWithIgnoringCase(path, ".pdf")) return ImageFormat::Pdf;
    if (endsWithIgnoringCase(path, ".eps")) return ImageFormat::Eps;
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

namespace {

// The fitted size, and how far the drawing must move right and down so that nothing drawn above
// or left of the image (text on top in a large font) is cut.
struct Fit {
    ImageSize size;
    std::int64_t dx = 0, dy = 0;
};

// `far`: the margins right and below in pixels, in place of the near ones repeated.
std::optional<Fit> fit(Control& control, const std::optional<FitMargins>& margins,
                       std::string* error,
                       std::optional<std::pair<std::int64_t, std::int64_t>> far = std::nullopt) {
    const FitMargins m = margins.value_or(standardMargins(control));
    const Rect b = drawnBounds(control);
    Fit f;
    f.dx = std::max<std::int64_t>(-std::int64_t{b.left}, 0);
    f.dy = std::max<std::int64_t>(-std::int64_t{b.top}, 0);
    const std::int64_t left = std::max<std::int64_t>(b.left, 0);
    const std::int64_t top = std::max<std::int64_t>(b.top, 0);
    const std::int64_t width = std::max<std::int64_t>(
        1, std::max<std::int64_t>(b.right + f.dx, 0) +
               (far ? far->first : farMargin(control, m.left, m.leftOffset, left)));
    const std::int64_t height = std::max<std::int64_t>(
        1, std::max<std::int64_t>(b.bottom + f.dy, 0) +
               (far ? far->second : farMargin(control, m.top, m.topOffset, top)));
    if (auto problem = checkImageSize(width, height)) {
        if (error) *error = "the symbol does not fit: " + *problem;
        return std::nullopt;
    }
    f.size = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    return f;
}

}  // namespace

std::optional<ImageSize> fitImageSize(Control& control, const std::optional<FitMargins>& margins,
                                      std::string* error) {
    auto f = fit(control, margins, error);
    if (!f) return std::nullopt;
    return f->size;
}

namespace render {

namespace {

// The size of one page, fitted or as given, and how far the drawing moves in it (a given size
// centres the symbol); nullopt with the notes and the error set when it cannot be made. A given
// size that would cut the symbol adds an Error note to `cut`.
std::optional<Fit> pageFit(Control& control, const RenderOptions& options, RenderedImage& result,
                           std::vector<Note>& cut) {
    if (options.width == 0 && options.height == 0) {
        auto fitted = fit(control, options.margins, &result.error, farQuietZone(control, options));
        if (!fitted) result.notes = control.notes();
        return fitted;
    }
    Fit f;
    f.size = {options.width, options.height};
    const Rect b = drawnBounds(control);
    const std::int64_t w = std::int64_t{b.right} - b.left, h = std::int64_t{b.bottom} - b.top;
    if (w > 0 && h > 0 && w <= options.width && h <= options.height) {
        // Centred: the margins give way to the size asked for.
        f.dx = (options.width - w) / 2 - b.left;
        f.dy = (options.height - h) / 2 - b.top;
    } else if (kindOf(control)) {
        // Only for the built-in controls is a cut symbol known to be unreadable.
        cut.push_back({Note::Severity::Error,
                       "the symbol takes " + std::to_string(w) + " x " + std::to_string(h) +
                           " pixels: an image of " + std::to_string(options.width) + " x " +
                           std::to_string(options.height) + " would cut it"});
    }
    return f;
}

}  // namespace

RenderedImage paintPages(Control& control, ImageFormat format, const RenderOptions& options,
                         std::int32_t pages,
                         const std::function<void(Control&, std::int32_t)>& select) {
    RenderedImage result;
    if (options.width != 0 || options.height != 0) {
        if (auto problem = checkImageSize(options.width, options.height)) {
            result.error = *problem;
            return result;
        }
    }
    ImageWriter writer(format, options);
    pages = std::max(pages, 1);
    for (std::int32_t page = 0; page < pages; ++page) {
        if (select) select(control, page);
        std::vector<Note> cut;
        const auto placed = pageFit(control, options, result, cut);
        if (!placed) return result;
        {
            const ScopedShift shift(control, options.margins.value_or(standardMargins(control)),
                                    placed->dx, placed->dy);
            writer.paint(control, placed->size);
        }
        std::vector<Note> notes = control.notes();
        addRefusals(control, notes);
        notes.insert(notes.end(), cut.begin(), cut.end());
        const std::string prefix =
            pages == 1 ? std::string()
                       : "page " + std::to_string(page + 1) + " of " + std::to_string(pages) + ": ";
        for (Note& note : notes) result.notes.push_back({note.severity, prefix + note.text});
    }
    result.size = writer.size();
    result.verifications = writer.verifications();
    for (const auto& v : result.verifications) {
        // A symbol the reader cannot read is reported, never passed.
        if (v.outcome == Verification::Outcome::NotVerified)
            result.notes.push_back({Note::Severity::Warning, v.message});
    }
    result.bytes = writer.finish(&result.error);
    result.unavailable = !result.ok() && writer.unavailable();
    return result;
}

RenderedImage paintImage(Control& control, ImageFormat format, const RenderOptions& options) {
    return paintPages(control, format, options, 1, nullptr);
}

}  // namespace render

bool RenderedImage::verifyFailed() const {
    return std::ranges::any_of(verifications, [](const Verification& v) { return v.failed(); });
}

RenderedImage renderPages(Control& control, ImageFormat format, const RenderOptions& options,
                          std::int32_t pages,
                          const std::function<void(Control&, std::int32_t)>& select) {
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
    RenderedImage image = render::paintPages(control, format, options, pages, select);
    image.notes.insert(image.notes.begin(), settings.notes().begin(), settings.notes().end());
    return image;
}

RenderedImage renderImage(Control& control, ImageFormat format, const RenderOptions& options) {
    return renderPages(control, format, options, 1, nullptr);
}

RenderedImage renderToFile(Control& control, const std::string& path,
                           const RenderOptions& options) {
    const auto format = imageFormatOf(path);
    if (!format) {
        RenderedImage none;
        none.error = path + ": the file name must end in .png, .svg, .pdf or .eps";
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
    for (const auto& v : image.verifications) {
        if (v.failed()) {
            image.error = "not written: " + v.message;
            return image;
        }
    }
    if (options.strict && !image.notes.empty()) {
        image.error = "not written (strict): " + image.notes.front().text;
        return image;
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
