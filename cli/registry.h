// The controls the command hosts, by name, with what it needs to know of each beyond the
// property table.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "quorvantix/control.h"
#include "quorvantix/render.h"

namespace qv::cli {

struct ControlEntry {
    std::string_view name = {};
    std::string_view summary = {};
    std::unique_ptr<Control> (*create)() = nullptr;
    std::string_view dataProperty = {};  // set by -d
    std::string_view typeProperty = {};  // set by -t; empty when the control has none
    // The margins a fitted image repeats on the right and below, and that --quiet-zone sets;
    // nullopt: the control's own (qv::standardMargins).
    std::optional<FitMargins> margins = std::nullopt;
    // --scale multiplies these integer properties: the module size and the pixel distances that
    // stand for modules. Empty: --scale does not apply.
    std::span<const std::string_view> scaled = {};
    // The width of one module in pixels, read after --scale: --quiet-zone MODULES sets the left
    // and top margins to MODULES times it. Empty: --quiet-zone does not apply.
    std::string_view moduleSize = {};
    // Called after the user's settings, before painting; `userSet` holds the names the user set.
    void (*beforePaint)(Control&, const std::set<std::string, std::less<>>& userSet) = nullptr;
    // Segmented output (--macro): prepares the split and returns the number of segments, or a
    // negative number when the data cannot be split; `selectSegment` picks one for the next paint.
    int (*prepareSegments)(Control&) = nullptr;
    void (*selectSegment)(Control&, int segment) = nullptr;
};

// The controls built into the command.
std::span<const ControlEntry> builtinControls();

const ControlEntry* findControl(std::span<const ControlEntry> controls, std::string_view name);

}  // namespace qv::cli
