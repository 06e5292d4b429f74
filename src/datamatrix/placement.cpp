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

// The stream bit of each mapping cell, at the cell's module: 8 (k - 1) + b for bit b of
// codeword k, and 0 while empty.
struct BitGrid {
    std::vector<std::uint16_t>& modules;
    // Where mapping row r starts in the modules, and mapping column c's module column. The
    // largest mapping is 132 x 132.
    std::array<std::int32_t, 132> rowStart{}, columnAt{};

    std::uint16_t& at(std::int32_t r, std::int32_t c) {
        return modules[static_cast<std::size_t>(rowStart[static_cast<std::size_t>(r)] +
                                                columnAt[static_cast<std::size_t>(c)])];
    }
    bool empty(std::int32_t r, std::int32_t c) { return at(r, c) == 0; }
    static std::int32_t word(std::int32_t k) { return 8 * (k - 1); }
    void put(std::int32_t r, std::int32_t c, std::int32_t w, std::int32_t b) {
        at(r, c) = static_cast<std::uint16_t>(w + b);
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

// Where one size puts every stream bit, worked out by the walk once and kept for the symbols
// of that size that follow.
class Layout {
  public:
    static const Layout& of(const SymbolSize& s) {
        thread_local Layout last;
        if (!last.holds(s)) last.build(s);
        return last;
    }

    // The module of bit b (0 the most significant) of codeword k at 8 k + b. A bit that a later
    // codeword took over points to module 0, a finder module drawn after the data.
    std::vector<std::uint16_t> moduleOf;
    std::vector<std::uint16_t> fixedDark;  // the fixed corner

  private:
    static constexpr std::uint16_t kFixed = 0xFFFF;
    // Bits and modules both fit 16 bits: the largest mapping is 132 x 132, the largest symbol
    // 144 x 144.
    static_assert(132 * 132 < kFixed && 144 * 144 <= 0x10000);

    bool holds(const SymbolSize& s) const {
        return built_ && s.rows == size_.rows && s.columns == size_.columns &&
               s.regionRows == size_.regionRows && s.regionColumns == size_.regionColumns &&
               s.mappingRows == size_.mappingRows && s.mappingColumns == size_.mappingColumns;
    }

    void build(const SymbolSize& s) {
        cells_.assign(static_cast<std::size_t>(s.rows * s.columns), 0);
        BitGrid g{cells_};
        framedPositions(g.rowStart, s.mappingRows, s.regionRows, s.columns);
        framedPositions(g.columnAt, s.mappingColumns, s.regionColumns, 1);
        Walk(g, s.mappingRows, s.mappingColumns).run();
        if (g.empty(s.mappingRows - 1, s.mappingColumns - 1)) {
            g.at(s.mappingRows - 1, s.mappingColumns - 1) = kFixed;
            g.at(s.mappingRows - 2, s.mappingColumns - 2) = kFixed;
        }
        // The codewords reach as far as the largest bit number.
        std::uint16_t last = 0;
        for (const auto c : cells_)
            if (c != kFixed) last = std::max(last, c);
        moduleOf.assign((last + 7U) / 8U * 8U, 0);
        fixedDark.clear();
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            const auto module = static_cast<std::uint16_t>(i);
            if (cells_[i] == kFixed)
                fixedDark.push_back(module);
            else if (cells_[i] != 0)
                moduleOf[cells_[i] - 1U] = module;
        }
        size_ = s;
        built_ = true;
    }

    bool built_ = false;
    SymbolSize size_{};
    std::vector<std::uint16_t> cells_;
};

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
    const Layout& layout = Layout::of(s);
    const std::size_t words = std::min(layout.moduleOf.size() / 8, stream.size());
    std::uint8_t* out = modules.data();
    for (std::size_t k = 0; k < words; ++k) {
        const std::uint16_t* at = layout.moduleOf.data() + 8 * k;
        const auto v = static_cast<std::uint32_t>(stream[k]);
        for (std::uint32_t b = 0; b < 8; ++b)
            out[at[b]] = static_cast<std::uint8_t>((v >> (7 - b)) & 1);
    }
    for (const auto module : layout.fixedDark) out[module] = 1;

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
