// The host options and conveniences written into a control for one paint, and undone after it.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "quorvantix/host.h"
#include "render/conveniences.h"

namespace qv::render {

// Applies the sizing and the kind's conveniences now (a built-in control only) and writes back,
// when destroyed, every property they changed. What the paint itself writes back stays.
class ScopedHostSettings {
  public:
    ScopedHostSettings(Control& control, const RenderOptions& options);
    ~ScopedHostSettings();
    ScopedHostSettings(const ScopedHostSettings&) = delete;
    ScopedHostSettings& operator=(const ScopedHostSettings&) = delete;

    // Why the options do not apply to this control; nothing was written then.
    const std::optional<std::string>& problem() const { return problem_; }
    // What applying GS1 mode and the physical sizes said; with an error note the control must
    // not be drawn.
    const std::vector<Note>& notes() const { return notes_; }

  private:
    Control& control_;
    std::vector<std::pair<const PropertyInfo*, PropertyValue>> changed_;
    std::optional<std::string> problem_;
    std::vector<Note> notes_;
    // The linear control's text override is no property, so it is kept here.
    std::optional<std::optional<std::string>> textOverride_;
};

// The properties whose value is no longer the one at creation: what a program chose.
NameSet changedFromCreation(const Control& control);

}  // namespace qv::render
