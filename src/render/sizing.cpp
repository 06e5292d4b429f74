#include "render/sizing.h"

#include "render/property_values.h"
#include "render/quiet_zones.h"

namespace qv::render {
std::optional<std::string> sizingProblem(const ControlKind& kind, const RenderOptions& options) {
    if (options.scale && kind.scaled.empty())
        return "--scale does not apply to " + std::string(kind.name);
    if ((options.quietZone || options.standardQuietZone) && kind.moduleSize.empty())
        return "--quiet-zone does not apply to " + std::string(kind.name);
    return std::nullopt;
}

namespace {

void scaleFont(Control& control, std::string_view name, std::int32_t scale) {
    if (name.empty()) return;
    auto value = readPropertyValue(control, name);
    auto* font = value ? std::get_if<std::optional<Font>>(&*value) : nullptr;
    if (!font || !*font) return;  // no font: no text to scale
    (*font)->height = saturated(std::int64_t{(*font)->height} * scale);
    writePropertyValue(control, name, *value);
}

}  // namespace

void applySizing(const ControlKind& kind, Control& control, std::optional<std::int32_t> scale,
                 std::optional<std::int32_t> quietZone, bool standardZone) {
    if (scale) {
        for (std::string_view name : kind.scaled)
            writePropertyValue(control, name, saturated(integerProperty(control, name) * *scale));
        scaleFont(control, kind.scaledFont, *scale);
    }
    std::optional<std::int32_t> left = quietZone, top = quietZone;
    if (standardZone) {
        const auto zone = standardQuietZone(control);
        if (!zone) return;
        left = zone->left;
        top = zone->top;
    }
    if (!left) return;
    const FitMargins margins = kind.margins.value_or(standardMargins(control));
    const std::int64_t module = integerProperty(control, kind.moduleSize);
    // The top first: where one property serves both sides, the left one counts.
    if (!margins.top.empty()) writePropertyValue(control, margins.top, saturated(module * *top));
    if (!margins.left.empty()) writePropertyValue(control, margins.left, saturated(module * *left));
}

std::optional<std::pair<std::int64_t, std::int64_t>> farQuietZone(const Control& control,
                                                                  const RenderOptions& options) {
    const ControlKind* kind = kindOf(control);
    if (!options.standardQuietZone || !kind) return std::nullopt;
    const auto zone = standardQuietZone(control);
    if (!zone) return std::nullopt;
    const std::int64_t module = integerProperty(control, kind->moduleSize);
    return std::pair{module * zone->right, module * zone->bottom};
}

}  // namespace qv::render
