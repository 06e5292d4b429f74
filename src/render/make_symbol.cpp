// One symbol as a host for people asks for it: properties as text, host options, conveniences.
#include <algorithm>

#include "quorvantix/host.h"
#include "render/conveniences.h"
#include "render/gs1_option.h"
#include "render/image_painting.h"
#include "render/physical_sizes.h"
#include "render/refusals.h"
#include "render/sizing.h"

namespace qv {
namespace {

bool hasError(const std::vector<Note>& notes) {
    return std::ranges::any_of(notes,
                               [](const Note& n) { return n.severity == Note::Severity::Error; });
}

// An image that could not be made: a missing library, or a size past the limits.
void failed(SymbolResult& result, const RenderedImage& image, const std::string& prefix) {
    if (image.unavailable) {
        result.status = SymbolStatus::Unavailable;
        result.message = prefix + image.error;
        return;
    }
    result.status = SymbolStatus::Usage;
    result.message = prefix + image.error + "; make it smaller or give --size";
}

// Paints one image into the result; false, with the message set, when it cannot be made.
bool paintOne(SymbolResult& result, const RenderOptions& options, std::optional<ImageFormat> format,
              const std::string& prefix) {
    Control& control = *result.control;
    RenderedImage image;
    if (!format) {
        // The size limit does not matter when nothing is written.
        fitImageSize(control, options.margins, nullptr);
        image.notes = control.notes();
        render::addRefusals(control, image.notes);
    } else {
        image = render::paintImage(control, *format, options);
        if (!image.ok()) {
            failed(result, image, prefix);
            return false;
        }
    }
    result.images.push_back(std::move(image));
    return true;
}

void paintSegments(const ControlKind& kind, SymbolResult& result, const RenderOptions& options,
                   std::optional<ImageFormat> format) {
    Control& control = *result.control;
    const int count = kind.prepareSegments(control);
    if (count <= 0) {
        result.notes = control.notes();
        if (!hasError(result.notes))
            result.notes.push_back(
                {Note::Severity::Error,
                 count == 0 ? "there is no data to split into segments"
                            : "the data cannot be split into segments with these settings"});
        return;
    }
    result.segmentCount = count;
    if (format == ImageFormat::Pdf) {
        // One document, a page per segment.
        RenderedImage image =
            render::paintPages(control, *format, options, count,
                               [&](Control& c, std::int32_t s) { kind.selectSegment(c, s); });
        if (!image.ok()) {
            failed(result, image, "");
            return;
        }
        result.images.push_back(std::move(image));
        return;
    }
    for (int s = 0; s < count; ++s) {
        kind.selectSegment(control, s);
        const std::string prefix =
            "segment " + std::to_string(s + 1) + " of " + std::to_string(count) + ": ";
        if (!paintOne(result, options, format, prefix)) return;
    }
}

}  // namespace

SymbolResult makeSymbol(const ControlKind& kind, const SymbolRequest& request,
                        std::optional<ImageFormat> format) {
    SymbolResult result;
    const auto usage = [&](std::string message) {
        result.status = SymbolStatus::Usage;
        result.message = std::move(message);
        return std::move(result);
    };
    if (request.segments && !kind.prepareSegments)
        return usage("--macro does not apply to " + std::string(kind.name));
    if (auto problem = render::sizingProblem(kind, request.options)) return usage(*problem);
    if (auto problem = render::physicalProblem(kind, request.options)) return usage(*problem);

    result.control = kind.create();
    Control& control = *result.control;
    // Code 128 in the shortest symbol, unless the person chose a code set.
    const bool setChosen = std::ranges::any_of(
        request.properties, [](const auto& p) { return sameIgnoringCase(p.first, "Code128Set"); });
    if (!setChosen && findProperty(control.properties(), "Code128Set"))
        setPropertyText(control, "Code128Set", "AUTO");
    render::NameSet userSet;
    for (std::size_t i = 0; i < request.properties.size(); ++i) {
        const auto& [name, text] = request.properties[i];
        const SetResult r = setPropertyText(control, name, text);
        if (!r.error.empty()) {
            const bool named = i < request.origins.size() && !request.origins[i].empty();
            return usage((named ? request.origins[i] + ": " : std::string()) + r.error);
        }
        userSet.insert(r.property);
    }
    render::applySizing(kind, control, request.options.scale, request.options.quietZone,
                        request.options.standardQuietZone);
    auto physical = render::applyPhysicalSizes(kind, control, request.options);
    result.facts = std::move(physical.facts);
    if (kind.beforePaint) kind.beforePaint(control, userSet);
    gs1::Applied gs1 = render::applyGs1Option(control, request.options);
    result.notes = std::move(gs1.notes);
    result.notChecked = std::move(gs1.skipped);
    if (hasError(result.notes)) {
        result.status = SymbolStatus::NotRepresentable;  // refused before anything is drawn
        return result;
    }

    RenderOptions options = request.options;
    if (!options.margins) options.margins = kind.margins;
    if (request.segments)
        paintSegments(kind, result, options, format);
    else
        paintOne(result, options, format, "");
    if (result.status == SymbolStatus::Usage) return result;
    result.notes.insert(result.notes.end(), physical.notes.begin(), physical.notes.end());

    bool error = hasError(result.notes);
    bool warning = !result.notes.empty();
    bool unread = false;
    for (const auto& image : result.images) {
        error = error || hasError(image.notes);
        warning = warning || !image.notes.empty();
        unread = unread || image.verifyFailed();
    }
    if (error)
        result.status = SymbolStatus::NotRepresentable;
    else if (unread)
        result.status = SymbolStatus::VerifyFailed;
    else if (warning && request.options.strict)
        result.status = SymbolStatus::StrictWarnings;
    return result;
}

SymbolResult makeSymbol(const SymbolRequest& request, std::optional<ImageFormat> format) {
    const ControlKind* kind = findControlKind(request.control);
    if (!kind) {
        SymbolResult result;
        result.status = SymbolStatus::Usage;
        result.message = "unknown control \"" + request.control + "\"; the controls are:";
        for (const auto& k : controlKinds()) {
            result.message += ' ';
            result.message += k.name;
        }
        return result;
    }
    return makeSymbol(*kind, request, format);
}

}  // namespace qv
