#include "platform_control.h"

#include <algorithm>

namespace qv::activex {
namespace {

constexpr std::int32_t kDtCenter = 0x1;
constexpr std::int32_t kDtRight = 0x2;
constexpr std::int32_t kDtRtlReading = 0x20000;

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

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
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace qv::activex
