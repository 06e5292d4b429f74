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

// The same map row by row, as what a paint looks up: a hexagon is dark where
// codewords[codeword] & mask is non-zero, with codeword kAlwaysDark standing for a byte with
// every bit set and mask 0 for a hexagon that is never dark. Rows are padded to whole groups of
// eight columns, the masks packed eight to a word (column 8g + k in byte k of word g), so that a
// paint tests eight hexagons at once.
inline constexpr std::size_t kPaddedColumns = 32;
struct CellRow {
    std::array<std::uint8_t, kPaddedColumns> codeword{};
    std::array<std::uint64_t, kPaddedColumns / 8> masks{};
    std::uint8_t mask(std::size_t column) const {
        return static_cast<std::uint8_t>(masks[column / 8] >> (8 * (column % 8)));
    }
};
inline constexpr std::uint8_t kAlwaysDark = 144;
using CellBits = std::array<CellRow, kRows>;

const CellBits& cellBits();

}  // namespace qv::maxicode
