// Rows of a finished symbol as bar/space widths: start pattern, left row indicator, the data
// codewords, then the right row indicator and stop pattern, or one bar for a truncated symbol.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv::pdf417 {

inline constexpr std::uint32_t kStartPattern = 0x1FEA8;
inline constexpr std::string_view kStopWidths = "711311121";

// Widths of the runs of equal modules of a 17-bit pattern, leftmost first, as decimal digits.
std::string patternToRuns(std::uint32_t pattern);

struct RowIndicators {
    std::int32_t left;
    std::int32_t right;
};

// The row indicator codewords of row `row` of a symbol of `rows` rows and `columns` columns.
RowIndicators rowIndicators(std::int32_t row, std::int32_t rows, std::int32_t columns,
                            std::int32_t ecLevel);

// One string of run widths per row, alternating bar and space from a bar. `codewords` holds
// rows x columns values 0 to 928.
std::vector<std::string> symbolRows(std::span<const std::int32_t> codewords, std::int32_t rows,
                                    std::int32_t columns, std::int32_t ecLevel, bool truncated);

}  // namespace qv::pdf417
