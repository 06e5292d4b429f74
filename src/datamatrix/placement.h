// Module placement of ECC 200: the codeword bits in the mapping matrix, the finder and timing
// patterns around each data region, and the module matrix of a whole symbol.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "datamatrix/symbol_size.h"

namespace qv::datamatrix {

// The mapping matrix, row by row: 0 or 1 for a fixed module, else codeword number x 10 + bit
// number (codeword 1 first, bit 1 the most significant).
std::vector<std::int32_t> placeCodewords(std::int32_t rows, std::int32_t columns);

// The symbol's modules, row by row (rows x columns, 1 dark): patterns and the stream's bits.
// The vector's storage is reused, so a repeated build allocates nothing.
void buildModules(const SymbolSize& size, std::span<const std::int32_t> stream,
                  std::vector<std::uint8_t>& modules);

}  // namespace qv::datamatrix
