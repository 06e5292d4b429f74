// Where the drawing stands in the image: moved by whole pixels for one paint through the margin
// properties, so that PNG and SVG move alike.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "quorvantix/render.h"

namespace qv::render {

// Adds dx to the left margin and dy to the top margin (the offset properties where there are
// any) and writes the old values back when destroyed. When one property serves both sides the
// smaller move is taken for both. A side with no property does not move.
class ScopedShift {
  public:
    ScopedShift(Control& control, const FitMargins& margins, std::int64_t dx, std::int64_t dy);
    ~ScopedShift();
    ScopedShift(const ScopedShift&) = delete;
    ScopedShift& operator=(const ScopedShift&) = delete;

  private:
    Control& control_;
    std::vector<std::pair<std::string_view, std::int64_t>> written_;
};

}  // namespace qv::render
