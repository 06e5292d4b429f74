#include "platform_control.h"

#include "core/ascii_case.h"

namespace qv::activex {
namespace {

constexpr std::int32_t kDtCenter = 0x1;
constexpr std::int32_t kDtRight = 0x2;
constexpr std::int32_t kDtRtlReading = 0x20000;

}  // namespace

std::int32_t PlatformControl::drawTextBiDiModeFlagsReadingOnly() const {
    return useRightToLeftReading() ? kDtRtlReading : 0;
}

std::int32_t PlatformControl::drawTextBiDiModeFlags(std::int32_t flags) const {
    std::int32_t result = flags;
    if (useRightToLeftAlignment()) {
        if ((flags & kDtRight) == kDtRight) {
            result &= ~kDtRight;
        } else if ((flags & kDtCenter) == 0) {
            result |= kDtRight;
        }
    }
    return result | drawTextBiDiModeFlagsReadingOnly();
}

bool sameClassName(std::string_view a, std::string_view b) {
    return core::equalsIgnoringCase(a, b);
}

}  // namespace qv::activex
