#include "device_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "canvas_gdi/gdi_canvas.h"

namespace qv::activex {
namespace {

// The published properties of the four controls that are distances in pixels (or, for the
// MaxiCode resolution, pixels per inch). Names are unique across the controls.
constexpr std::string_view kDistances[] = {
    // linear
    "TopMargin", "LeftMargin", "BarHeightPixels", "postnetHeightTallBar", "postnetHeightShortBar",
    "extraHeight", "X", "supSeparation",
    // Data Matrix
    "PixelsDot", "Margin",
    // PDF417
    "BarWidthPixels",
    // MaxiCode: the resolution works out the hexagon grid anew
    "offsetX", "offsetY", "resolution"};

std::int32_t scaled(std::int32_t value, double factor) {
    double v = std::nearbyint(static_cast<double>(value) * factor);
    if (value > 0) v = std::max(v, 1.0);  // a module stays at least one device pixel
    return static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

bool isDistance(std::string_view name) {
    return std::find(std::begin(kDistances), std::end(kDistances), name) != std::end(kDistances);
}

}  // namespace

DeviceScaling::DeviceScaling(Control& control, double factor) : control_(control) {
    if (!std::isfinite(factor) || factor <= 0 || factor == 1.0) return;
    const auto table = control.properties();
    saved_.reserve(table.size());
    for (const PropertyInfo& info : table) saved_.push_back(info.get(control));
    scaled_ = true;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const PropertyInfo& info = table[i];
        if (info.set == nullptr) continue;
        if (const auto* font = std::get_if<std::optional<Font>>(&saved_[i])) {
            if (!*font) continue;
            Font f = **font;
            f.height = scaled(f.height, factor);
            info.set(control, std::optional<Font>(f));
        } else if (const auto* v = std::get_if<std::int32_t>(&saved_[i]);
                   v && isDistance(info.name)) {
            info.set(control, scaled(*v, factor));
        }
    }
}

DeviceScaling::~DeviceScaling() {
    if (!scaled_) return;
    const auto table = control_.properties();
    try {
        // Twice: a setter may work out others anew (the MaxiCode resolution sets the hexagons).
        for (int pass = 0; pass < 2; ++pass) {
            for (std::size_t i = 0; i < table.size(); ++i) {
                if (table[i].set != nullptr && table[i].get(control_) != saved_[i]) {
                    table[i].set(control_, saved_[i]);
                }
            }
        }
        // Results of the paint (sizes, edges) as a paint on the form gives them.
        gdi::GdiBitmap scratch(nullptr, 1, 1);
        control_.paintBarcode(scratch.canvas());
    } catch (...) {
        // The device's drawing is done; a failure here leaves results at the device's scale.
    }
}

}  // namespace qv::activex
