// ECC 200 symbol sizes, size choice, padding, error-correction blocks and interleaving.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "datamatrix/encodation.h"
#include "quorvantix/datamatrix.h"

namespace qv::datamatrix {

struct SymbolSize {
    std::int32_t rows, columns;              // modules, finder and timing patterns included
    std::int32_t regionRows, regionColumns;  // one data region
    std::int32_t regions;
    std::int32_t mappingRows, mappingColumns;  // all regions together, without patterns
    std::int32_t capacity;                     // data codewords
    std::int32_t dataPerBlock, checkPerBlock, blocks;
};

inline constexpr std::int32_t kSizeCount = 30;

// Indexed by TFormat; row 0 (AUTO) is all zeros.
inline constexpr std::array<SymbolSize, kSizeCount + 1> kSizes = {{
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {10, 10, 8, 8, 1, 8, 8, 3, 3, 5, 1},
    {12, 12, 10, 10, 1, 10, 10, 5, 5, 7, 1},
    {14, 14, 12, 12, 1, 12, 12, 8, 8, 10, 1},
    {16, 16, 14, 14, 1, 14, 14, 12, 12, 12, 1},
    {18, 18, 16, 16, 1, 16, 16, 18, 18, 14, 1},
    {20, 20, 18, 18, 1, 18, 18, 22, 22, 18, 1},
    {22, 22, 20, 20, 1, 20, 20, 30, 30, 20, 1},
    {24, 24, 22, 22, 1, 22, 22, 36, 36, 24, 1},
    {26, 26, 24, 24, 1, 24, 24, 44, 44, 28, 1},
    {32, 32, 14, 14, 4, 28, 28, 62, 62, 36, 1},
    {36, 36, 16, 16, 4, 32, 32, 86, 86, 42, 1},
    {40, 40, 18, 18, 4, 36, 36, 114, 114, 48, 1},
    {44, 44, 20, 20, 4, 40, 40, 144, 144, 56, 1},
    {48, 48, 22, 22, 4, 44, 44, 174, 174, 68, 1},
    {52, 52, 24, 24, 4, 48, 48, 204, 102, 42, 2},
    {64, 64, 14, 14, 16, 56, 56, 280, 140, 56, 2},
    {72, 72, 16, 16, 16, 64, 64, 368, 92, 36, 4},
    {80, 80, 18, 18, 16, 72, 72, 456, 114, 48, 4},
    {88, 88, 20, 20, 16, 80, 80, 576, 144, 56, 4},
    {96, 96, 22, 22, 16, 88, 88, 696, 174, 68, 4},
    {104, 104, 24, 24, 16, 96, 96, 816, 136, 56, 6},
    {120, 120, 18, 18, 36, 108, 108, 1050, 175, 68, 6},
    {132, 132, 20, 20, 36, 120, 120, 1304, 163, 62, 8},
    {144, 144, 22, 22, 36, 132, 132, 1558, 156, 62, 10},
    {8, 18, 6, 16, 1, 6, 16, 5, 5, 7, 1},
    {8, 32, 6, 14, 2, 6, 28, 10, 10, 11, 1},
    {12, 26, 10, 24, 1, 10, 24, 16, 16, 14, 1},
    {12, 36, 10, 16, 2, 10, 32, 22, 22, 18, 1},
    {16, 36, 14, 16, 2, 14, 32, 32, 32, 24, 1},
    {16, 48, 14, 22, 2, 14, 44, 49, 49, 28, 1},
}};

inline constexpr std::int32_t kMaxCapacity = 1558;

// The size of a format, or nullopt for AUTO and numbers without a size.
std::optional<SymbolSize> sizeOf(TFormat format);

struct CodewordStream {
    TFormat format = TFormat::AUTO;
    std::vector<std::int32_t> codewords;  // capacity data codewords, then the check codewords
};

// The 253-state randomiser of pad codewords; position is 1-based in the codeword list.
std::int32_t randomize253(std::int32_t value, std::int32_t position);

// Chooses the size (the preferred one when the data fits it, else the smallest fitting square),
// pads, and appends the interleaved check codewords; nullopt when the data fits no size.
std::optional<CodewordStream> buildCodewordStream(Encoded data, TFormat preferred);

}  // namespace qv::datamatrix
