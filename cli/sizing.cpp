#include "sizing.h"

#include <algorithm>
#include <limits>

#include "property_setting.h"

namespace qv::cli {
namespace {

std::int32_t saturated(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int64_t integerValue(const Control& control, std::string_view name) {
    const auto v = readProperty(control, name);
    return v && std::holds_alternative<std::int32_t>(*v) ? std::get<std::int32_t>(*v) : 0;
}

}  // namespace

std::optional<std::string> sizingProblem(const ControlEntry& entry,
                                         std::optional<std::int32_t> scale,
                                         std::optional<std::int32_t> quietZone) {
    if (scale && entry.scaled.empty())
        return "--scale does not apply to " + std::string(entry.name);
    if (quietZone && entry.moduleSize.empty())
        return "--quiet-zone does not apply to " + std::string(entry.name);
    return std::nullopt;
}

void applySizing(const ControlEntry& entry, Control& control, std::optional<std::int32_t> scale,
                 std::optional<std::int32_t> quietZone) {
    if (scale) {
        for (std::string_view name : entry.scaled)
            writeProperty(control, name, saturated(integerValue(control, name) * *scale));
    }
    if (quietZone) {
        const FitMargins margins = entry.margins.value_or(standardMargins(control));
        const std::int32_t pixels = saturated(integerValue(control, entry.moduleSize) * *quietZone);
        for (std::string_view name : {margins.left, margins.top})
            if (!name.empty()) writeProperty(control, name, pixels);
    }
}

}  // namespace qv::cli
