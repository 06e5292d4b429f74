#include "render/sizing.h"

#include "render/property_values.h"

namespace qv::render {
std::optional<std::string> sizingProblem(const ControlKind& kind, const RenderOptions& options) {
    if (options.scale && kind.scaled.empty())
        return "--scale does not apply to " + std::string(kind.name);
    if (options.quietZone && kind.moduleSize.empty())
        return "--quiet-zone does not apply to " + std::string(kind.name);
    return std::nullopt;
}

void applySizing(const ControlKind& kind, Control& control, std::optional<std::int32_t> scale,
                 std::optional<std::int32_t> quietZone) {
    if (scale) {
        for (std::string_view name : kind.scaled)
            writePropertyValue(control, name, saturated(integerProperty(control, name) * *scale));
    }
    if (quietZone) {
        const FitMargins margins = kind.margins.value_or(standardMargins(control));
        const std::int32_t pixels =
            saturated(integerProperty(control, kind.moduleSize) * *quietZone);
        for (std::string_view name : {margins.left, margins.top})
            if (!name.empty()) writePropertyValue(control, name, pixels);
    }
}

}  // namespace qv::render
