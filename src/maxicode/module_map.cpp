#include "maxicode/module_map.h"

namespace qv::maxicode {
namespace {

// Blocks of codewords in consecutive column pairs from `column`, counted from `first` to `last`.
struct Run {
    int row;
    int column;
    int first;
    int last;
};

constexpr Run kRuns[] = {
    {0, 0, 21, 34},   {3, 0, 48, 35},    {6, 0, 49, 62},    {9, 0, 69, 66},
    {12, 0, 70, 72},  {15, 0, 81, 79},   {18, 0, 82, 84},   {21, 0, 94, 91},
    {24, 0, 95, 108}, {27, 0, 122, 109}, {30, 0, 123, 136}, {9, 22, 65, 63},
    {12, 22, 73, 75}, {15, 22, 78, 76},  {18, 22, 85, 87},  {21, 22, 90, 88},
};

struct Block {
    int column;
    int row;
    int codeword;
};

constexpr Block kSingles[] = {
    {8, 9, 14},  {8, 12, 10},  {6, 12, 18},  {8, 18, 11},  {6, 18, 17},  {8, 21, 13},
    {20, 9, 19}, {20, 12, 15}, {20, 18, 16}, {20, 21, 20}, {18, 21, 12},
};

// The four-row blocks of codewords 137..144 down the right edge start at these rows.
constexpr int kRightEdgeRows[] = {1, 5, 9, 13, 17, 21, 25, 29};

// Columns 6..21 of rows 9..23, around the bullseye: the bits of codewords 1 to 9, the orientation
// modules (-1) and the light bullseye area (0).
constexpr int kCentreColumn = 6;
constexpr int kCentreRow = 9;
// clang-format off
constexpr std::int16_t kCentre[15][16] = {
    {392, 391, 80, 79, -1, -1, 14, 13, 38, 37, 3,  0,  45, 44, 110, 109},
    {394, 393, 82, 81, 41, -1, 16, 15, 40, 39, 4,  0,  0,  46, 112, 111},
    {396, 395, 84, 83, 42, 0,  0,  0,  0,  0,  6,  5,  48, 47, 114, 113},
    {104, 103, 56, 55, 17, 0,  0,  0,  0,  0,  0,  0,  21, 20, 86,  85},
    {106, 105, 58, 57, 0,  0,  0,  0,  0,  0,  0,  0,  23, 22, 88,  87},
    {108, 107, 60, 59, 0,  0,  0,  0,  0,  0,  0,  0,  0,  24, 90,  89},
    {49,  -1,  31, 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  1,  54,  53},
    {50,  0,   -1, 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  -1,  0},
    {52,  51,  32, 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  2,  -1,  43},
    {98,  97,  62, 61, 0,  0,  0,  0,  0,  0,  0,  0,  0,  27, 92,  91},
    {100, 99,  64, 63, 0,  0,  0,  0,  0,  0,  0,  0,  29, 28, 94,  93},
    {102, 101, 66, 65, 18, 0,  0,  0,  0,  0,  0,  0,  19, 30, 96,  95},
    {542, 541, 74, 73, 33, 0,  0,  0,  0,  0,  0,  11, 68, 67, 116, 115},
    {544, 543, 76, 75, -1, 0,  8,  7,  36, 35, 12, -1, 70, 69, 118, 117},
    {546, 545, 78, 77, -1, 34, 10, 9,  26, 25, 0,  -1, 72, 71, 120, 119},
};
// clang-format on

constexpr void placeBlock(ModuleMap& map, int column, int row, int codeword) {
    const int b = 6 * (codeword - 1);
    const auto set = [&map](int c, int r, int v) {
        map[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] =
            static_cast<std::int16_t>(v);
    };
    // Two bits per row, the more significant on the right.
    set(column, row, b + 2);
    set(column + 1, row, b + 1);
    set(column, row + 1, b + 4);
    set(column + 1, row + 1, b + 3);
    set(column, row + 2, b + 6);
    set(column + 1, row + 2, b + 5);
}

constexpr ModuleMap buildModuleMap() {
    ModuleMap map{};
    for (const Run& run : kRuns) {
        const int step = run.last >= run.first ? 1 : -1;
        int column = run.column;
        for (int a = run.first; a != run.last + step; a += step, column += 2)
            placeBlock(map, column, run.row, a);
    }
    for (const Block& block : kSingles) placeBlock(map, block.column, block.row, block.codeword);
    int codeword = 137;
    for (const int row : kRightEdgeRows) {
        const int b = 6 * (codeword++ - 1);
        map[28][static_cast<std::size_t>(row)] = static_cast<std::int16_t>(b + 1);
        map[29][static_cast<std::size_t>(row + 1)] = static_cast<std::int16_t>(b + 2);
        map[28][static_cast<std::size_t>(row + 1)] = static_cast<std::int16_t>(b + 3);
        map[28][static_cast<std::size_t>(row + 2)] = static_cast<std::int16_t>(b + 4);
        map[29][static_cast<std::size_t>(row + 3)] = static_cast<std::int16_t>(b + 5);
        map[28][static_cast<std::size_t>(row + 3)] = static_cast<std::int16_t>(b + 6);
    }
    map[28][0] = -1;
    map[29][0] = -1;
    for (std::size_t r = 0; r < 15; ++r)
        for (std::size_t c = 0; c < 16; ++c) map[kCentreColumn + c][kCentreRow + r] = kCentre[r][c];
    return map;
}

constexpr ModuleMap kModuleMap = buildModuleMap();

constexpr CellBits buildCellBits() {
    CellBits bits{};
    for (std::size_t c = 0; c < kColumns; ++c) {
        for (std::size_t r = 0; r < kRows; ++r) {
            const int cell = kModuleMap[c][r];
            CellRow& row = bits[r];
            std::uint64_t mask = 0;
            if (cell == -1) {
                row.codeword[c] = kAlwaysDark;
                mask = 1;
            } else if (cell >= 1) {
                row.codeword[c] = static_cast<std::uint8_t>((cell - 1) / 6);
                mask = 32U >> ((cell - 1) % 6);
            }
            row.masks[c / 8] |= mask << (8 * (c % 8));
        }
    }
    return bits;
}

constexpr CellBits kCellBits = buildCellBits();

}  // namespace

const ModuleMap& moduleMap() {
    return kModuleMap;
}

const CellBits& cellBits() {
    return kCellBits;
}

}  // namespace qv::maxicode
