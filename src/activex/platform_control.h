// The window-control members every dispatch interface ends with. The portable controls have no
// window, so the wrapper keeps this state for them; the window hosting reads it.
#pragma once

#include <cstdint>
#include <string_view>

namespace qv::activex {

enum class BiDiMode : std::int32_t {
    LeftToRight = 0,
    RightToLeft = 1,
    RightToLeftNoAlign = 2,
    RightToLeftReadingOnly = 3,
};

class PlatformControl {
  public:
    bool visible = true;
    bool enabled = true;
    bool doubleBuffered = false;
    std::int32_t biDiMode = 0;  // any value a host writes; only the members above mean anything
    std::int16_t cursor = 0;

    bool isRightToLeft() const { return mode() != BiDiMode::LeftToRight; }
    bool useRightToLeftReading() const { return mode() != BiDiMode::LeftToRight; }
    bool useRightToLeftAlignment() const { return mode() == BiDiMode::RightToLeft; }
    bool useRightToLeftScrollBar() const {
        return mode() == BiDiMode::RightToLeft || mode() == BiDiMode::RightToLeftNoAlign;
    }
    // DrawText flags adjusted for the reading order: right and left alignment swapped when the
    // alignment is mirrored, right-to-left reading added when it applies.
    std::int32_t drawTextBiDiModeFlags(std::int32_t flags) const;
    std::int32_t drawTextBiDiModeFlagsReadingOnly() const;
    // A control without children is aligned to the left.
    std::int32_t controlsAlignment() const { return 0; }

  private:
    BiDiMode mode() const { return static_cast<BiDiMode>(biDiMode); }
};

// ASCII comparison ignoring case, as class names are compared.
bool sameClassName(std::string_view a, std::string_view b);

}  // namespace qv::activex
