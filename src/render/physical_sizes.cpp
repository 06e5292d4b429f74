#include "render/physical_sizes.h"

#include <cmath>
#include <cstdio>

#include "quorvantix/maxicode.h"
#include "quorvantix/units.h"
#include "render/property_values.h"

namespace qv::render {
namespace {

// MaxiCode's hexagon pitch is the symbol width over 29; its layout takes the resolution in
// dots per inch but counts 25 millimetres to the inch.
constexpr double kMaxicodeColumns = 29.0;
constexpr double kMaxicodeMillimetresPerInch = 25.0;

bool isMaxicode(const ControlKind& kind) {
    return kind.name == "maxicode";
}

std::string symbologyName(const Control& control) {
    const auto v = readPropertyValue(control, "barType");
    if (!v) return {};
    const PropertyInfo* info = findProperty(control.properties(), "barType");
    return info ? formatProperty(*info, *v) : std::string();
}

void setMaxicode(TMaxicode& maxi, double dpi, std::optional<double> xdim) {
    const auto resolution = static_cast<std::int32_t>(std::nearbyint(dpi));
    maxi.setResolution(resolution);
    // The pitch in whole dots nearest the X-dimension asked for (by default the one of the
    // symbol's nominal size), then the size that gives exactly that pitch.
    const double target = xdim.value_or(maxi.L / kMaxicodeColumns);
    const std::int32_t pitch = dotsFor(target, dpi);
    maxi.setL(pitch * kMaxicodeColumns * kMaxicodeMillimetresPerInch / resolution);
}

}  // namespace

std::optional<std::string> physicalProblem(const ControlKind& kind, const RenderOptions& options) {
    const bool lengths = options.xDimension || options.barHeight || options.quietZoneLength;
    if (lengths && !options.dotsPerInch)
        return "lengths in mm or mil need the printer's resolution: give --dpi or --dpmm";
    if (options.xDimension && kind.moduleSize.empty())
        return "--xdim does not apply to " + std::string(kind.name);
    if (options.barHeight && kind.name != "barcode1d" && kind.name != "pdf417")
        return "--bar-height does not apply to " + std::string(kind.name);
    if (options.quietZoneLength && options.quietZone)
        return "--quiet-zone takes modules or a length, not both";
    if (options.quietZoneLength && kind.moduleSize.empty())
        return "--quiet-zone does not apply to " + std::string(kind.name);
    return std::nullopt;
}

PhysicalResult applyPhysicalSizes(const ControlKind& kind, Control& control,
                                  const RenderOptions& options) {
    PhysicalResult result;
    if (!options.dotsPerInch) return result;
    const double dpi = *options.dotsPerInch;
    if (auto* maxi = dynamic_cast<TMaxicode*>(&control); maxi && isMaxicode(kind)) {
        setMaxicode(*maxi, dpi, options.xDimension);
    } else if (options.xDimension) {
        writePropertyValue(control, kind.moduleSize, dotsFor(*options.xDimension, dpi));
    }
    if (options.barHeight)
        writePropertyValue(control, "BarHeightPixels", dotsFor(*options.barHeight, dpi));
    if (options.quietZoneLength) {
        const FitMargins margins = kind.margins.value_or(standardMargins(control));
        const std::int32_t dots = dotsFor(*options.quietZoneLength, dpi, 0);
        for (std::string_view name : {margins.left, margins.top})
            if (!name.empty()) writePropertyValue(control, name, dots);
    }
    if (kind.moduleSize.empty()) return result;
    const std::int64_t dots = integerProperty(control, kind.moduleSize);
    result.facts.push_back("X-dimension " + describeDots(dots, dpi));
    if (const XDimensionRange* range = xDimensionRangeOf(symbologyName(control))) {
        const double mm = millimetresOf(dots, dpi);
        if (mm < range->minimum - 1e-9 || mm > range->maximum + 1e-9) {
            char text[200];
            std::snprintf(text, sizeof text,
                          "X-dimension %.3f mm is outside %.3f to %.3f mm, the range for retail "
                          "EAN/UPC (%s)",
                          mm, range->minimum, range->maximum, std::string(range->source).c_str());
            result.notes.push_back({Note::Severity::Warning, text});
        }
    }
    return result;
}

}  // namespace qv::render
