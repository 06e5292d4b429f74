#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "reed_reference.h"

#include "maxicode/reed6.h"

namespace qv::maxicode {
namespace {

// Horner evaluation of values (highest power first) at x in GF(64).
std::int32_t evaluate(std::span<const std::int32_t> values, std::int32_t x) {
    std::int32_t acc = 0;
    for (const auto v : values) acc = gfMultiply(acc, x) ^ v;
    return acc;
}

TEST(Gf64, TablesFollowThePolynomial) {
    std::int32_t power = 1;
    for (std::size_t i = 0; i < 63; ++i) {
        EXPECT_EQ(kAntilog[i], power) << i;
        EXPECT_EQ(kLog[static_cast<std::size_t>(power)], static_cast<std::int32_t>(i));
        power <<= 1;
        if (power & 64) power ^= 0x43;
    }
    EXPECT_EQ(kAntilog[63], 0);
    // The product never reaches the 0 at the end of the antilog table.
    for (std::int32_t a = 1; a < 64; ++a)
        for (std::int32_t b = 1; b < 64; ++b) ASSERT_NE(gfMultiply(a, b), 0) << a << "*" << b;
    EXPECT_EQ(gfMultiply(0, 5), 0);
    EXPECT_EQ(gfMultiply(32, 2), 3);  // x^5 * x = x^6 = x + 1
}

TEST(Gf64, UnitDataGivesTheGenerator) {
    struct Case {
        std::int32_t k, n;
        std::span<const std::int32_t> generator;
    };
    const Case cases[] = {{10, 10, kGenerator10},
                          {42, 20, kGenerator20},
                          {34, 28, kGenerator28},
                          {10, 7, kGenerator10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        std::vector<std::int32_t> values(static_cast<std::size_t>(c.k) + c.generator.size(), 0);
        rsEncode64(values, c.k, c.n);
        EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](auto v) { return v == 0; }));
        values[static_cast<std::size_t>(c.k) - 1] = 1;
        rsEncode64(values, c.k, c.n);
        EXPECT_TRUE(std::equal(c.generator.begin(), c.generator.end(), values.begin() + c.k));
    }
}

TEST(Gf64, GeneratorsHaveTheirRoots) {
    const std::span<const std::int32_t> generators[] = {kGenerator10, kGenerator20, kGenerator28};
    for (const auto g : generators) {
        std::vector<std::int32_t> poly{1};
        poly.insert(poly.end(), g.begin(), g.end());
        for (std::size_t i = 1; i <= g.size(); ++i) EXPECT_EQ(evaluate(poly, kAntilog[i]), 0);
    }
}

TEST(Gf64, ChecksMatchLongDivision) {
    struct Case {
        std::size_t k, n;
    };
    std::mt19937 rng(64);
    for (const auto& c : {Case{10, 10}, Case{42, 20}, Case{34, 28}}) {
        SCOPED_TRACE(c.n);
        for (int round = 0; round < 200; ++round) {
            std::vector<std::int32_t> data(c.k);
            for (auto& v : data) v = round % 4 == 0 && rng() % 2 ? 0 : static_cast<int>(rng() % 64);
            const auto expected = test::longDivisionChecks(data, c.n, 0x43);
            std::vector<std::int32_t> values = data;
            values.resize(c.k + c.n, -1);
            rsEncode64(values, static_cast<std::int32_t>(c.k), static_cast<std::int32_t>(c.n));
            ASSERT_TRUE(std::equal(data.begin(), data.end(), values.begin()));
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), values.begin() + c.k));
        }
    }
    // The whole symbol: primary, then two interleaved secondary blocks, in both layouts.
    for (const std::int32_t mode : {4, 5}) {
        const std::size_t k = mode == 5 ? 34 : 42;
        std::array<std::uint8_t, 144> codewords{};
        for (auto& v : codewords) v = static_cast<std::uint8_t>(rng() % 64);
        const auto before = codewords;
        protectSymbol(codewords, mode);
        const auto primary =
            test::longDivisionChecks({before.begin(), before.begin() + 10}, 10, 0x43);
        EXPECT_TRUE(std::equal(primary.begin(), primary.end(), codewords.begin() + 10));
        for (std::size_t parity = 0; parity < 2; ++parity) {
            std::vector<std::int32_t> data;
            for (std::size_t m = 0; m < k; ++m) data.push_back(before[20 + parity + 2 * m]);
            const auto expected = test::longDivisionChecks(data, 62 - k, 0x43);
            for (std::size_t m = 0; m < 62; ++m)
                EXPECT_EQ(codewords[20 + parity + 2 * m], m < k ? data[m] : expected[m - k]);
        }
    }
}

TEST(Gf64, TooSmallBufferIsLeftAlone) {
    std::vector<std::int32_t> values(15, 7);
    rsEncode64(values, 10, 10);
    EXPECT_EQ(values, std::vector<std::int32_t>(15, 7));
    rsEncode64(values, -1, 10);
    EXPECT_EQ(values, std::vector<std::int32_t>(15, 7));
}

TEST(Gf64, ProtectSymbolMakesEveryBlockACodeword) {
    struct Case {
        std::int32_t mode;
        std::size_t dataPerBlock;
        std::size_t checks;
    };
    for (const auto& c : {Case{4, 42, 20}, Case{5, 34, 28}, Case{2, 42, 20}}) {
        SCOPED_TRACE(c.mode);
        std::array<std::uint8_t, 144> codewords{};
        for (std::size_t i = 0; i < 144; ++i)
            codewords[i] = static_cast<std::uint8_t>((i * 37 + 11) % 64);
        const auto before = codewords;
        protectSymbol(codewords, c.mode);

        std::vector<std::int32_t> primary(codewords.begin(), codewords.begin() + 20);
        for (std::size_t i = 1; i <= 10; ++i) EXPECT_EQ(evaluate(primary, kAntilog[i]), 0);
        EXPECT_TRUE(std::equal(before.begin(), before.begin() + 10, codewords.begin()));
        for (std::size_t parity = 0; parity < 2; ++parity) {
            std::vector<std::int32_t> block;
            for (std::size_t m = 0; m < c.dataPerBlock + c.checks; ++m) {
                const std::size_t at = 20 + parity + 2 * m;
                block.push_back(codewords[at]);
                if (m < c.dataPerBlock) {
                    EXPECT_EQ(codewords[at], before[at]);
                }
            }
            for (std::size_t i = 1; i <= c.checks; ++i) EXPECT_EQ(evaluate(block, kAntilog[i]), 0);
        }
    }
}

}  // namespace
}  // namespace qv::maxicode
