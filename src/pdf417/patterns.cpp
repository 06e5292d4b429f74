#include "pdf417/patterns.h"

#include <algorithm>

#include "pdf417/codeword_patterns.h"

namespace qv::pdf417 {

std::string patternToRuns(std::uint32_t pattern) {
    std::string runs;
    int width = 0;
    unsigned previous = (pattern >> 16) & 1U;
    for (int bit = 16; bit >= 0; --bit) {
        const unsigned module = (pattern >> bit) & 1U;
        if (module != previous) {
            runs.push_back(static_cast<char>('0' + width));
            width = 0;
            previous = module;
        }
        ++width;
    }
    runs.push_back(static_cast<char>('0' + width));
    return runs;
}

RowIndicators rowIndicators(std::int32_t row, std::int32_t rows, std::int32_t columns,
                            std::int32_t ecLevel) {
    const std::int32_t base = 30 * (row / 3);
    const std::int32_t a = (rows - 1) / 3;                // row count information
    const std::int32_t b = (rows - 1) % 3 + 3 * ecLevel;  // level and row count remainder
    const std::int32_t v = columns - 1;                   // column count
    switch (row % 3) {
        case 0:
            return {base + a, base + v};
        case 1:
            return {base + b, base + a};
        default:
            return {base + v, base + b};
    }
}

std::vector<std::string> symbolRows(std::span<const std::int32_t> codewords, std::int32_t rows,
                                    std::int32_t columns, std::int32_t ecLevel, bool truncated) {
    static const std::string start = patternToRuns(kStartPattern);
    if (columns < 1) return {};
    rows = std::min(
        rows, static_cast<std::int32_t>(codewords.size() / static_cast<std::size_t>(columns)));
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(rows));
    for (std::int32_t row = 0; row < rows; ++row) {
        const auto& table = kCodewordPatterns[static_cast<std::size_t>(row % 3)];
        const auto indicators = rowIndicators(row, rows, columns, ecLevel);
        auto runs = [&](std::int32_t codeword) {
            return patternToRuns(table[static_cast<std::size_t>(codeword)]);
        };
        std::string line = start + runs(indicators.left);
        for (std::int32_t col = 0; col < columns; ++col)
            line += runs(codewords[static_cast<std::size_t>(row * columns + col)]);
        if (truncated) {
            line += '1';
        } else {
            line += runs(indicators.right);
            line += kStopWidths;
        }
        out.push_back(std::move(line));
    }
    return out;
}

}  // namespace qv::pdf417
