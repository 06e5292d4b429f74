// The row compressor against an independent decompressor: whatever the rows, the stream gives
// them back, within the bound, with whole-row matches split where the codes need it.
#include "canvas/row_deflate.h"

#include <gtest/gtest.h>
#include <libdeflate.h>

#include <random>
#include <vector>

namespace qv::png {
namespace {

TEST(RowDeflate, RoundTripsRowsOfEveryKind) {
    struct Case {
        std::size_t stride, rows;
        int alikeEvery;  // a fresh row every so many rows (1: none alike)
        int runLength;   // bytes repeat this often within a row
    };
    const Case cases[] = {
        {2, 1, 1, 1},       {2, 50, 5, 1},     {3, 40, 40, 1},      {3, 9, 2, 1},
        {86, 1, 1, 1},      {86, 100, 100, 9}, {258, 4, 4, 300},    {259, 7, 7, 259},
        {260, 30, 3, 4},    {261, 2, 2, 3},    {1000, 12, 6, 1000}, {32768, 3, 3, 40000},
        {32769, 3, 3, 200}, {5, 200, 200, 2},
    };
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    ASSERT_NE(d, nullptr);
    std::mt19937 rng(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.stride) + " x " + std::to_string(c.rows));
        std::vector<std::uint8_t> data(c.stride * c.rows);
        for (std::size_t y = 0; y < c.rows; ++y) {
            std::uint8_t* row = data.data() + y * c.stride;
            if (y % static_cast<std::size_t>(c.alikeEvery) != 0) {
                std::copy(row - c.stride, row, row);
                continue;
            }
            std::uint8_t byte = 0;
            for (std::size_t x = 0; x < c.stride; ++x) {
                if (x % static_cast<std::size_t>(c.runLength) == 0)
                    byte = static_cast<std::uint8_t>(rng());
                row[x] = byte;
            }
        }
        std::vector<std::uint8_t> packed(rowDeflateBound(data.size()));
        const std::size_t n = rowDeflate(data.data(), c.stride, c.rows, packed.data());
        ASSERT_LE(n, packed.size());
        std::vector<std::uint8_t> back(data.size());
        std::size_t got = 0;
        ASSERT_EQ(libdeflate_zlib_decompress(d, packed.data(), n, back.data(), back.size(), &got),
                  LIBDEFLATE_SUCCESS);
        ASSERT_EQ(got, data.size());
        EXPECT_EQ(back, data);
        // Repeated rows cost next to nothing.
        if (c.alikeEvery == static_cast<int>(c.rows) && c.rows > 10) {
            EXPECT_LT(n, c.stride * 2 + 64);
        }
    }
    libdeflate_free_decompressor(d);
}

}  // namespace
}  // namespace qv::png
