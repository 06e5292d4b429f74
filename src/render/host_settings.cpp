#include "render/host_settings.h"

#include "quorvantix/barcode1d.h"
#include "render/gs1_option.h"
#include "render/physical_sizes.h"
#include "render/sizing.h"

namespace qv::render {

NameSet changedFromCreation(const Control& control) {
    NameSet changed;
    for (const auto& p : control.properties())
        if (p.get && formatProperty(p, p.get(control)) != p.defaultText) changed.emplace(p.name);
    return changed;
}

ScopedHostSettings::ScopedHostSettings(Control& control, const RenderOptions& options)
    : control_(control) {
    const ControlKind* kind = kindOf(control);
    if (!kind) {
        if (options.scale || options.quietZone || options.standardQuietZone || options.xDimension ||
            options.barHeight || options.quietZoneLength)
            problem_ = "--scale, --quiet-zone and lengths apply to the built-in controls only";
        return;
    }
    problem_ = sizingProblem(*kind, options);
    if (!problem_) problem_ = physicalProblem(*kind, options);
    if (problem_) return;
    std::vector<std::pair<const PropertyInfo*, PropertyValue>> before;
    for (const auto& p : control.properties())
        if (p.get && writableByHosts(p)) before.emplace_back(&p, p.get(control));
    const NameSet chosen = changedFromCreation(control);
    applySizing(*kind, control, options.scale, options.quietZone, options.standardQuietZone);
    const std::vector<Note> physical = applyPhysicalSizes(*kind, control, options).notes;
    if (kind->beforePaint) kind->beforePaint(control, chosen);
    auto* linear = dynamic_cast<TBarcode1D*>(&control);
    if (linear && options.gs1) textOverride_ = linear->textOverride;
    notes_ = applyGs1Option(control, options).notes;
    notes_.insert(notes_.end(), physical.begin(), physical.end());
    for (auto& [info, value] : before)
        if (info->get(control) != value) changed_.emplace_back(info, std::move(value));
}

ScopedHostSettings::~ScopedHostSettings() {
    try {
        for (const auto& [info, value] : changed_) info->set(control_, value);
        if (textOverride_) dynamic_cast<TBarcode1D&>(control_).textOverride = *textOverride_;
    } catch (...) {  // NOLINT(bugprone-empty-catch): out of memory restoring; keep what is there
    }
}

}  // namespace qv::render
