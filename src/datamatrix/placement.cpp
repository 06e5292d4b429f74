#include "datamatrix/placement.h"

#include <algorithm>
#include <cmath>

namespace qv::datamatrix {
namespace {

class Mapping {
  public:
    Mapping(std::int32_t rows, std::int32_t columns)
        : nrow_(rows), ncol_(columns), cells_(static_cast<std::size_t>(rows * columns), 0) {}

    std::int32_t& cell(std::int32_t r, std::int32_t c) {
        return cells_[static_cast<std::size_t>(r * ncol_ + c)];
    }

    // Bit b of codeword k at (r, c), wrapping positions outside the matrix to the far side.
    void module(std::int32_t r, std::int32_t c, std::int32_t k, std::int32_t b) {
        if (r < 0) {
            r += nrow_;
            c += 4 - ((nrow_ + 4) % 8);
        }
        if (c < 0) {
            c += ncol_;
            r += 4 - ((ncol_ + 4) % 8);
        }
        cell(r, c) = k * 10 + b;
    }

    void standard(std::int32_t r, std::int32_t c, std::int32_t k) {
        static constexpr std::int32_t kOffsets[8][2] = {{-2, -2}, {-2, -1}, {-1, -2}, {-1, -1},
                                                        {-1, 0},  {0, -2},  {0, -1},  {0, 0}};
        for (std::int32_t b = 0; b < 8; ++b)
            module(r + kOffsets[b][0], c + kOffsets[b][1], k, b + 1);
    }

    // A corner shape: eight (row, column) pairs, a negative number counting from the far edge.
    void corner(const std::int32_t (&at)[8][2], std::int32_t k) {
        for (std::int32_t b = 0; b < 8; ++b) {
            const std::int32_t r = at[b][0] < 0 ? nrow_ + at[b][0] : at[b][0];
            const std::int32_t c = at[b][1] < 0 ? ncol_ + at[b][1] : at[b][1];
            module(r, c, k, b + 1);
        }
    }

    std::int32_t nrow_, ncol_;
    std::vector<std::int32_t> cells_;
};

constexpr std::int32_t kCorner1[8][2] = {{-1, 0}, {-1, 1}, {-1, 2}, {0, -2},
                                         {0, -1}, {1, -1}, {2, -1}, {3, -1}};
constexpr std::int32_t kCorner2[8][2] = {{-3, 0}, {-2, 0}, {-1, 0}, {0, -4},
                                         {0, -3}, {0, -2}, {0, -1}, {1, -1}};
constexpr std::int32_t kCorner3[8][2] = {{-3, 0}, {-2, 0}, {-1, 0}, {0, -2},
                                         {0, -1}, {1, -1}, {2, -1}, {3, -1}};
constexpr std::int32_t kCorner4[8][2] = {{-1, 0}, {-1, -1}, {0, -3}, {0, -2},
                                         {0, -1}, {1, -3},  {1, -2}, {1, -1}};

}  // namespace

std::vector<std::int32_t> placeCodewords(std::int32_t nrow, std::int32_t ncol) {
    if (nrow < 6 || ncol < 6)
        return std::vector<std::int32_t>(
            static_cast<std::size_t>(std::max(0, nrow) * std::max(0, ncol)), 0);
    Mapping m(nrow, ncol);
    std::int32_t k = 1, row = 4, col = 0;
    do {
        if (row == nrow && col == 0) m.corner(kCorner1, k++);
        if (row == nrow - 2 && col == 0 && ncol % 4 != 0) m.corner(kCorner2, k++);
        if (row == nrow - 2 && col == 0 && ncol % 8 == 4) m.corner(kCorner3, k++);
        if (row == nrow + 4 && col == 2 && ncol % 8 == 0) m.corner(kCorner4, k++);
        // Up and to the right.
        do {
            if (row < nrow && col >= 0 && m.cell(row, col) == 0) m.standard(row, col, k++);
            row -= 2;
            col += 2;
        } while (row >= 0 && col < ncol);
        row += 1;
        col += 3;
        // Down and to the left.
        do {
            if (row >= 0 && col < ncol && m.cell(row, col) == 0) m.standard(row, col, k++);
            row += 2;
            col -= 2;
        } while (row < nrow && col >= 0);
        row += 3;
        col += 1;
    } while (row < nrow || col < ncol);
    // Cells no codeword reached: the fixed corner, dark on its diagonal.
    if (m.cell(nrow - 1, ncol - 1) == 0) {
        m.cell(nrow - 1, ncol - 1) = 1;
        m.cell(nrow - 2, ncol - 2) = 1;
    }
    return std::move(m.cells_);
}

std::vector<std::uint8_t> buildModules(const SymbolSize& s, std::span<const std::int32_t> stream) {
    std::vector<std::uint8_t> modules(static_cast<std::size_t>(s.rows * s.columns), 0);
    auto at = [&](std::int32_t col, std::int32_t row) -> std::uint8_t& {
        return modules[static_cast<std::size_t>(row * s.columns + col)];
    };
    // Finder and timing frames: side by side for two regions, a square grid otherwise.
    const std::int32_t across =
        s.regions == 2 ? 2 : static_cast<std::int32_t>(std::lround(std::sqrt(s.regions)));
    const std::int32_t down = s.regions == 2 ? 1 : across;
    const std::int32_t w = s.regionColumns + 2, h = s.regionRows + 2;
    for (std::int32_t d = 0; d < down; ++d) {
        for (std::int32_t c = 0; c < across; ++c) {
            const std::int32_t x0 = c * w, y0 = d * h;
            for (std::int32_t i = 0; i < w; ++i) {
                at(x0 + i, y0 + h - 1) = 1;
                at(x0 + i, y0) = i % 2 == 0;
            }
            for (std::int32_t i = 0; i < h; ++i) {
                at(x0, y0 + i) = 1;
                at(x0 + w - 1, y0 + i) = i % 2 == 1;
            }
        }
    }
    const auto mapping = placeCodewords(s.mappingRows, s.mappingColumns);
    for (std::int32_t i = 0; i < s.mappingRows; ++i) {
        for (std::int32_t j = 0; j < s.mappingColumns; ++j) {
            const std::int32_t v = mapping[static_cast<std::size_t>(i * s.mappingColumns + j)];
            bool dark = v == 1;
            if (v >= 10) {
                const auto k = static_cast<std::size_t>(v / 10 - 1);
                dark = k < stream.size() && ((stream[k] >> (8 - v % 10)) & 1) != 0;
            }
            at(j + 1 + 2 * (j / s.regionColumns), i + 1 + 2 * (i / s.regionRows)) = dark;
        }
    }
    return modules;
}

}  // namespace qv::datamatrix
