// 128-bit arithmetic for pixel geometry: products of two 33-bit coordinate differences do not fit
// in 64 bits, and int32 coordinates of any value must neither overflow nor be clamped early.
#pragma once

#include <cstdint>

namespace qv::canvas {

__extension__ typedef __int128 Int128;

// Floor and ceiling of num / den for den > 0.
inline Int128 floorDiv(Int128 num, Int128 den) {
    Int128 q = num / den;
    if ((num % den != 0) && (num < 0)) --q;
    return q;
}
inline Int128 ceilDiv(Int128 num, Int128 den) {
    Int128 q = num / den;
    if ((num % den != 0) && (num > 0)) ++q;
    return q;
}

}  // namespace qv::canvas
