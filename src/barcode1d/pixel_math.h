// Pixel arithmetic that cannot overflow: any property value a host writes gives a defined result.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/int_clamp.h"

namespace qv::barcode1d {

// Drawing positions stay within this bound, far outside any surface, so that a position plus
// any element width still fits in 64 bits.
inline constexpr std::int64_t kCoordLimit = std::int64_t{1} << 60;

constexpr std::int64_t clampCoord(std::int64_t v) {
    return std::clamp(v, -kCoordLimit, kCoordLimit);
}

constexpr std::int64_t satAdd(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        return b > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
    return r;
}

constexpr std::int64_t satMul(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        return ((a < 0) != (b < 0)) ? std::numeric_limits<std::int64_t>::min()
                                    : std::numeric_limits<std::int64_t>::max();
    return r;
}

using core::clampToInt32;

// Nearest integer, halves to even; NaN gives 0 and infinities saturate.
inline std::int32_t roundToInt32(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::nearbyint(std::clamp(v, lo, hi)));
}

}  // namespace qv::barcode1d
