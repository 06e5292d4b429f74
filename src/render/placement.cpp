#include "render/placement.h"

#include <algorithm>

#include "quorvantix/host.h"
#include "render/property_values.h"

namespace qv::render {

ScopedShift::ScopedShift(Control& control, const FitMargins& margins, std::int64_t dx,
                         std::int64_t dy)
    : control_(control) {
    const std::string_view x = margins.leftOffset.empty() ? margins.left : margins.leftOffset;
    const std::string_view y = margins.topOffset.empty() ? margins.top : margins.topOffset;
    auto move = [&](std::string_view name, std::int64_t by) {
        if (name.empty() || by == 0) return;
        const std::int64_t old = integerProperty(control, name);
        if (writePropertyValue(control, name, saturated(old + by)))
            written_.emplace_back(name, old);
    };
    if (x == y) {
        move(x, std::min(dx, dy));
    } else {
        move(x, dx);
        move(y, dy);
    }
}

ScopedShift::~ScopedShift() {
    try {
        for (const auto& [name, old] : written_)
            writePropertyValue(control_, name, static_cast<std::int32_t>(old));
    } catch (...) {  // NOLINT(bugprone-empty-catch): out of memory restoring; keep what is there
    }
}

}  // namespace qv::render
