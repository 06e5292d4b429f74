#include "pdf417/patterns.h"

#include <algorithm>
#include <array>

#include "pdf417/codeword_patterns.h"

namespace qv::pdf417 {
namespace {

// Widths of the runs of a 17-bit pattern, leftmost first, as decimal digits.
struct PatternRuns {
    std::array<char, 17> widths{};
    std::size_t count = 0;
};

constexpr PatternRuns runsOf(std::uint32_t pattern) {
    PatternRuns runs;
    int width = 0;
    unsigned previous = (pattern >> 16) & 1U;
    for (int bit = 16; bit >= 0; --bit) {
        const unsigned module = (pattern >> bit) & 1U;
        if (module != previous) {
            runs.widths[runs.count++] = static_cast<char>('0' + width);
            width = 0;
            previous = module;
        }
        ++width;
    }
    runs.widths[runs.count++] = static_cast<char>('0' + width);
    return runs;
}

// Every codeword pattern is four bars and four spaces: its eight run widths, for every cluster,
// worked out at compile time.
using Runs = std::array<char, 8>;

constexpr auto kCodewordRuns = [] {
    std::array<std::array<Runs, 929>, 3> table{};
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t i = 0; i < 929; ++i) {
            const PatternRuns runs = runsOf(kCodewordPatterns[c][i]);
            if (runs.count != 8) throw "a codeword pattern without eight runs";
            std::copy_n(runs.widths.begin(), 8, table[c][i].begin());
        }
    }
    return table;
}();

}  // namespace

std::string patternToRuns(std::uint32_t pattern) {
    const PatternRuns runs = runsOf(pattern);
    return {runs.widths.data(), runs.count};
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
        const auto& table = kCodewordRuns[static_cast<std::size_t>(row % 3)];
        const auto indicators = rowIndicators(row, rows, columns, ecLevel);
        std::string line;
        line.reserve(start.size() + 8 * static_cast<std::size_t>(columns + 2) + kStopWidths.size());
        auto append = [&](std::int32_t codeword) {
            const Runs& r = table[static_cast<std::size_t>(codeword)];
            line.append(r.data(), r.size());
        };
        line += start;
        append(indicators.left);
        for (std::int32_t col = 0; col < columns; ++col)
            append(codewords[static_cast<std::size_t>(row * columns + col)]);
        if (truncated) {
            line += '1';
        } else {
            append(indicators.right);
            line += kStopWidths;
        }
        out.push_back(std::move(line));
    }
    return out;
}

}  // namespace qv::pdf417
