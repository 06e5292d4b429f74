#include "datamatrix/placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace qv::datamatrix {
namespace {

// The walk that lays codeword k's eight bits over the mapping matrix. The grid records what a
// cell holds: empty(r, c) until put(r, c, w, b) stores bit b (1 the most significant) of
// w = word(k) there.
template <class Grid>
class Walk {
  public:
    Walk(Grid& grid, std::int32_t rows, std::int32_t columns)
        : grid_(grid), nrow_(rows), ncol_(columns) {}

    void run() {
        std::int32_t k = 1, row = 4, col = 0;
        do {
            if (row == nrow_ && col == 0) corner(kCorner1, k++);
            if (row == nrow_ - 2 && col == 0 && ncol_ % 4 != 0) corner(kCorner2, k++);
            if (row == nrow_ - 2 && col == 0 && ncol_ % 8 == 4) corner(kCorner3, k++);
            if (row == nrow_ + 4 && col == 2 && ncol_ % 8 == 0) corner(kCorner4, k++);
            // Up and to the right.
            do {
                if (row < nrow_ && col >= 0 && grid_.empty(row, col)) standard(row, col, k++);
                row -= 2;
                col += 2;
            } while (row >= 0 && col < ncol_);
            row += 1;
            col += 3;
            // Down and to the left.
            do {
                if (row >= 0 && col < ncol_ && grid_.empty(row, col)) standard(row, col, k++);
                row += 2;
                col -= 2;
            } while (row < nrow_ && col >= 0);
            row += 3;
            col += 1;
        } while (row < nrow_ || col < ncol_);
    }

  private:
    using Shape = std::array<std::array<std::int32_t, 2>, 8>;

    static constexpr Shape kCorner1 = {
        {{-1, 0}, {-1, 1}, {-1, 2}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}}};
    static constexpr Shape kCorner2 = {
        {{-3, 0}, {-2, 0}, {-1, 0}, {0, -4}, {0, -3}, {0, -2}, {0, -1}, {1, -1}}};
    static constexpr Shape kCorner3 = {
        {{-3, 0}, {-2, 0}, {-1, 0}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}}};
    static constexpr Shape kCorner4 = {
        {{-1, 0}, {-1, -1}, {0, -3}, {0, -2}, {0, -1}, {1, -3}, {1, -2}, {1, -1}}};

    using Word = decltype(std::declval<Grid&>().word(1));

    // Bit b of codeword w at (r, c), wrapping positions outside the matrix to the far side.
    void module(std::int32_t r, std::int32_t c, Word w, std::int32_t b) {
        if (r < 0) {
            r += nrow_;
            c += 4 - ((nrow_ + 4) % 8);
        }
        if (c < 0) {
            c += ncol_;
            r += 4 - ((ncol_ + 4) % 8);
        }
        grid_.put(r, c, w, b);
    }

    // The usual L shape, its last bit at (r, c). Only shapes at the top or left edge wrap.
    void standard(std::int32_t r, std::int32_t c, std::int32_t k) {
        const Word w = grid_.word(k);
        if (r >= 2 && c >= 2) {
            grid_.put(r - 2, c - 2, w, 1);
            grid_.put(r - 2, c - 1, w, 2);
            grid_.put(r - 1, c - 2, w, 3);
            grid_.put(r - 1, c - 1, w, 4);
            grid_.put(r - 1, c, w, 5);
            grid_.put(r, c - 2, w, 6);
            grid_.put(r, c - 1, w, 7);
            grid_.put(r, c, w, 8);
            return;
        }
        static constexpr Shape kOffsets = {
            {{-2, -2}, {-2, -1}, {-1, -2}, {-1, -1}, {-1, 0}, {0, -2}, {0, -1}, {0, 0}}};
        for (std::int32_t b = 0; b < 8; ++b) {
            const auto& o = kOffsets[static_cast<std::size_t>(b)];
            module(r + o[0], c + o[1], w, b + 1);
        }
    }

    // A corner shape: eight (row, column) pairs, a negative number counting from the far edge.
    void corner(const Shape& at, std::int32_t k) {
        const Word w = grid_.word(k);
        for (std::int32_t b = 0; b < 8; ++b) {
            const auto& p = at[static_cast<std::size_t>(b)];
            module(p[0] < 0 ? nrow_ + p[0] : p[0], p[1] < 0 ? ncol_ + p[1] : p[1], w, b + 1);
        }
    }

    Grid& grid_;
    std::int32_t nrow_, ncol_;
};

// Codeword number x 10 + bit number in each cell, 0 while empty.
struct NumberGrid {
    std::int32_t columns;
    std::vector<std::int32_t> cells;

    std::int32_t& at(std::int32_t r, std::int32_t c) {
        return cells[static_cast<std::size_t>(r * columns + c)];
    }
    bool empty(std::int32_t r, std::int32_t c) { return at(r, c) == 0; }
    static std::int32_t word(std::int32_t k) { return k * 10; }
    void put(std::int32_t r, std::int32_t c, std::int32_t w, std::int32_t b) { at(r, c) = w + b; }
};

// The stream's bits straight in the symbol's modules: mapping cell (r, c) lies past the frames
// of the regions before it. A placed cell holds kPlaced plus its bit until the walk is done.
constexpr std::uint8_t kPlaced = 2;

struct ModuleGrid {
    std::span<const std::int32_t> stream;
    std::span<std::uint8_t> modules;
    // Where mapping row r starts in the modules, and mapping column c's module column. The
    // largest mapping is 132 x 132.
    std::array<std::int32_t, 132> rowStart{}, columnAt{};

    std::uint8_t& at(std::int32_t r, std::int32_t c) {
        return modules[static_cast<std::size_t>(rowStart[static_cast<std::size_t>(r)] +
                                                columnAt[static_cast<std::size_t>(c)])];
    }
    bool empty(std::int32_t r, std::int32_t c) { return at(r, c) == 0; }
    // Codewords past the stream are light.
    std::int32_t word(std::int32_t k) const {
        const auto i = static_cast<std::size_t>(k - 1);
        return i < stream.size() ? stream[i] : 0;
    }
    void put(std::int32_t r, std::int32_t c, std::int32_t w, std::int32_t b) {
        at(r, c) = static_cast<std::uint8_t>(kPlaced | ((w >> (8 - b)) & 1));
    }
};

// Position i of a mapping axis cut into regions of `region` cells, each framed by two modules.
template <std::size_t N>
void framedPositions(std::array<std::int32_t, N>& out, std::int32_t count, std::int32_t region,
                     std::int32_t scale) {
    std::int32_t at = 1, left = region;
    for (std::int32_t i = 0; i < count; ++i, ++at) {
        if (left-- == 0) {
            at += 2;
            left = region - 1;
        }
        out[static_cast<std::size_t>(i)] = at * scale;
    }
}

}  // namespace

std::vector<std::int32_t> placeCodewords(std::int32_t nrow, std::int32_t ncol) {
    NumberGrid g{ncol, std::vector<std::int32_t>(
                           static_cast<std::size_t>(std::max(0, nrow) * std::max(0, ncol)), 0)};
    if (nrow < 6 || ncol < 6) return std::move(g.cells);
    Walk(g, nrow, ncol).run();
    // Cells no codeword reached: the fixed corner, dark on its diagonal.
    if (g.empty(nrow - 1, ncol - 1)) {
        g.at(nrow - 1, ncol - 1) = 1;
        g.at(nrow - 2, ncol - 2) = 1;
    }
    return std::move(g.cells);
}

void buildModules(const SymbolSize& s, std::span<const std::int32_t> stream,
                  std::vector<std::uint8_t>& modules) {
    modules.assign(static_cast<std::size_t>(s.rows * s.columns), 0);
    ModuleGrid g{stream, modules};
    framedPositions(g.rowStart, s.mappingRows, s.regionRows, s.columns);
    framedPositions(g.columnAt, s.mappingColumns, s.regionColumns, 1);
    Walk(g, s.mappingRows, s.mappingColumns).run();
    if (g.empty(s.mappingRows - 1, s.mappingColumns - 1)) {
        g.at(s.mappingRows - 1, s.mappingColumns - 1) = 1;
        g.at(s.mappingRows - 2, s.mappingColumns - 2) = 1;
    }
    for (auto& m : modules) m &= 1;

    // Finder and timing frames: side by side for two regions, a square grid otherwise.
    auto at = [&](std::int32_t col, std::int32_t row) -> std::uint8_t& {
        return modules[static_cast<std::size_t>(row * s.columns + col)];
    };
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
}

}  // namespace qv::datamatrix
