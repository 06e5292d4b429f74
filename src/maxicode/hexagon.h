// The pixels of one hexagonal module: five drawn sizes and a generated shape for the others.
#pragma once

#include <cstdint>
#include <span>

namespace qv::maxicode {

// The dark pixels of one row of a hexagon: columns [from, to).
struct RowSpan {
    std::int32_t from = 0;
    std::int32_t to = 0;
};

// A hexagon pattern. Every row's dark pixels are one run, so the shape is its row spans, computed
// on demand: a huge hexagon costs no memory.
class HexagonPattern {
  public:
    // The drawn pattern for (WHexagon, HHexagon) when there is one, else the generated shape:
    // HHexagon rows of w columns, the gap along the top and left edges, the corners cut off.
    static HexagonPattern choose(std::int32_t wHexagon, std::int32_t hHexagon, std::int32_t w,
                                 std::int32_t gap);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    bool predefined() const { return !spans_.empty(); }
    // Empty outside the pattern.
    RowSpan row(std::int64_t r) const;

  private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::span<const RowSpan> spans_;  // a drawn pattern's rows
    std::int32_t gap_ = 0;
    std::int32_t innerRows_ = 0;
    std::int32_t innerColumns_ = 0;
    std::int32_t corner_ = 0;  // rows (and columns) of the triangle cut off each corner
};

}  // namespace qv::maxicode
