// The row compressor against two independent decompressors (libdeflate's, and zlib's, which
// refuses incomplete codes): whatever the rows, the stream gives them back, within the bound,
// with whole-row matches split where the codes need it; and the code lengths it is built on.
#include "canvas/row_deflate.h"

#include <gtest/gtest.h>
#include <libdeflate.h>
#include <zlib.h>

#include "canvas/huffman_lengths.h"

#include <cmath>
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
        {2, 1, 1, 1},
        {2, 50, 5, 1},
        {3, 40, 40, 1},
        {3, 9, 2, 1},
        {86, 1, 1, 1},
        {86, 100, 100, 9},
        {258, 4, 4, 300},
        {259, 7, 7, 259},
        {260, 30, 3, 4},
        {261, 2, 2, 3},
        {1000, 12, 6, 1000},
        {32768, 3, 3, 40000},
        {32769, 3, 3, 200},
        {5, 200, 200, 2},
        // Module rows of matrix symbols: a fresh row every few, bytes from a few values.
        {19, 145, 4, 1},
        {61, 85, 6, 2},
        {27, 200, 3, 1},
        {8, 64, 2, 8},
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
            // Some rows take half their bytes from the row above, others use four byte values.
            const bool fewValues = c.stride < 100 && y % 3 != 0;
            for (std::size_t x = 0; x < c.stride; ++x) {
                if (x % static_cast<std::size_t>(c.runLength) == 0)
                    byte = static_cast<std::uint8_t>(fewValues ? (rng() % 4) * 0x55 : rng());
                row[x] = y > 0 && fewValues && x < c.stride / 2 ? row[x - c.stride] : byte;
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
        std::vector<std::uint8_t> again(data.size() + 1);
        uLongf size = again.size();
        ASSERT_EQ(uncompress(again.data(), &size, packed.data(), n), Z_OK);
        ASSERT_EQ(size, data.size());
        again.resize(size);
        EXPECT_EQ(again, data);
        // Repeated rows cost next to nothing.
        if (c.alikeEvery == static_cast<int>(c.rows) && c.rows > 10) {
            EXPECT_LT(n, c.stride * 2 + 64);
        }
    }
    libdeflate_free_decompressor(d);
}

// Matrix symbols' rows (square modules of 2 to 6 pixels, packed a bit a pixel behind a filter
// byte) come out no larger than libdeflate's fastest level makes them, give or take a tenth.
TEST(RowDeflate, ModuleRowsAsSmallAsAGeneralCompressor) {
    libdeflate_compressor* general = libdeflate_alloc_compressor(1);
    ASSERT_NE(general, nullptr);
    std::mt19937 rng(9);
    for (const std::size_t pitch : {2, 3, 4, 6}) {
        for (const std::size_t modules : {18, 36, 72}) {
            SCOPED_TRACE(std::to_string(modules) + " modules of " + std::to_string(pitch));
            const std::size_t width = modules * pitch;
            const std::size_t stride = 1 + (width + 7) / 8;
            std::vector<std::uint8_t> data(stride * width);
            std::vector<bool> dark(modules);
            for (std::size_t y = 0; y < width; ++y) {
                if (y % pitch == 0)
                    for (std::size_t m = 0; m < modules; ++m)
                        dark[m] = m == 0 || y / pitch == modules - 1 || rng() % 2 == 0;
                std::uint8_t* row = data.data() + y * stride + 1;
                for (std::size_t x = 0; x < width; ++x)
                    if (dark[x / pitch]) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            std::vector<std::uint8_t> ours(rowDeflateBound(data.size()));
            const std::size_t n = rowDeflate(data.data(), stride, width, ours.data());
            std::vector<std::uint8_t> theirs(libdeflate_zlib_compress_bound(general, data.size()));
            const std::size_t m = libdeflate_zlib_compress(general, data.data(), data.size(),
                                                           theirs.data(), theirs.size());
            ASSERT_GT(m, 0U);
            EXPECT_LE(n * 10, m * 11) << n << " bytes against " << m;
        }
    }
    libdeflate_free_compressor(general);
}

// Whatever the frequencies, the lengths keep to the limit, give every used symbol a code and no
// unused one, and fill the code space exactly (an inflater refuses a code that does not).
TEST(HuffmanLengths, CompleteCodesWithinTheLimit) {
    std::mt19937 rng(3);
    std::vector<std::vector<std::uint32_t>> sets = {
        {5, 0, 0, 7},
        {1, 1},
        {0, 0, 9, 0, 1},
    };
    // Fibonacci weights make the deepest unlimited trees; then random and skewed ones.
    for (const std::size_t n : {20, 30, 286}) {
        std::vector<std::uint32_t> f(n);
        std::uint32_t a = 1, b = 1;
        for (auto& v : f) {
            v = a;
            const std::uint32_t next = a + b > 100000000 ? 1 : a + b;
            a = b;
            b = next;
        }
        sets.push_back(f);
    }
    for (int k = 0; k < 200; ++k) {
        std::vector<std::uint32_t> f(k % 2 == 0 ? 19 : 286);
        for (auto& v : f) v = rng() % 4 == 0 ? 0 : (rng() % 1000) >> (rng() % 10);
        sets.push_back(f);
    }
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto& f = sets[i];
        for (const int limit : {7, 15}) {
            if ((std::size_t{1} << limit) < f.size()) continue;  // deflate asks 7 bits of 19 only
            SCOPED_TRACE(std::to_string(i) + " limit " + std::to_string(limit));
            std::vector<std::uint8_t> lengths(f.size());
            huffmanLengths(f, limit, lengths);
            std::size_t used = 0;
            double kraft = 0;
            for (std::size_t s = 0; s < f.size(); ++s) {
                EXPECT_EQ(lengths[s] != 0, f[s] != 0) << s;
                EXPECT_LE(lengths[s], limit) << s;
                if (lengths[s] == 0) continue;
                ++used;
                kraft += std::ldexp(1.0, -lengths[s]);
            }
            if (used >= 2) {
                EXPECT_EQ(kraft, 1.0);
            }
            // Canonical codes are distinct prefixes: no code starts another.
            std::vector<std::uint16_t> codes(f.size());
            canonicalCodes(lengths, codes);
            for (std::size_t s = 0; s < f.size(); ++s) {
                for (std::size_t t = 0; t < f.size() && lengths[s] != 0; ++t) {
                    if (t == s || lengths[t] < lengths[s]) continue;
                    const std::uint32_t mask = (1U << lengths[s]) - 1;
                    EXPECT_NE(codes[t] & mask, codes[s]) << s << " " << t;
                }
            }
        }
    }
}

}  // namespace
}  // namespace qv::png
