// Narrowing to the 32-bit integers of the published contract, saturating instead of wrapping.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qv::core {

constexpr std::int32_t clampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace qv::core
