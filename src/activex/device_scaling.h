// Drawing a control onto a device finer than the form (a printer, a report's metafile): every
// pixel distance of the control (module sizes, margins, bar heights, offsets, the resolution
// that sizes MaxiCode hexagons, font heights) multiplied by the ratio of the device's bounds to
// the control's size and rounded to whole device pixels, so that the symbol keeps the size it
// has on the form and every module covers whole device pixels.
#pragma once

#include <vector>

#include "quorvantix/control.h"

namespace qv::activex {

class DeviceScaling {
  public:
    // Scales control's distances by factor; nothing changes at a factor of 1.
    DeviceScaling(Control& control, double factor);
    // Puts every property back and repaints the results of a paint at the form's scale.
    ~DeviceScaling();
    DeviceScaling(const DeviceScaling&) = delete;
    DeviceScaling& operator=(const DeviceScaling&) = delete;

  private:
    Control& control_;
    std::vector<PropertyValue> saved_;  // every property, in table order
    bool scaled_ = false;
};

}  // namespace qv::activex
