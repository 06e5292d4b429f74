// Where each bit of the 144 codewords sits among the 30 x 33 hexagons.
#pragma once

#include <array>
#include <cstdint>

namespace qv::maxicode {

inline constexpr int kColumns = 30;
inline constexpr int kRows = 33;

// [column][row]: n >= 1 is bit n of the codeword stream (codeword (n - 1) / 6, most significant
// bit first), 0 a module that is never dark, -1 one that is always dark.
using ModuleMap = std::array<std::array<std::int16_t, kRows>, kColumns>;

const ModuleMap& moduleMap();

}  // namespace qv::maxicode
