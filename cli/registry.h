// The controls the command hosts, by name, with what it needs to know of each beyond the
// property table.
#pragma once

#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "quorvantix/control.h"

namespace qv::cli {

struct ControlEntry {
    std::string_view name = {};
    std::string_view summary = {};
    std::unique_ptr<Control> (*create)() = nullptr;
    std::string_view dataProperty = {};  // set by -d
    std::string_view typeProperty = {};  // set by -t; empty when the control has none
    // Properties whose sum is the distance of the drawing from the left and top edges; the image
    // repeats it on the right and below. Empty: the left and top of what the paint draws.
    std::string_view leftMargin = {}, leftOffset = {};
    std::string_view topMargin = {}, topOffset = {};
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
