#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

#include "reed_reference.h"

#include "datamatrix/reed.h"
#include "datamatrix/symbol_size.h"

namespace qv::datamatrix {
namespace {

TEST(Reed, FieldProducts) {
    for (std::int32_t a = 0; a < 256; ++a)
        for (std::int32_t b = 0; b < 256; ++b)
            ASSERT_EQ(gfMultiply256(a, b), test::carrylessProduct(a, b, 0x12D)) << a << "*" << b;
}

TEST(Reed, GeneratorRows) {
    const std::vector<std::int32_t> five = {62, 111, 15, 48, 228};
    const std::vector<std::int32_t> seven = {254, 92, 240, 134, 144, 68, 23};
    for (std::int32_t i = 0; i < 5; ++i) EXPECT_EQ(rsGeneratorCoefficient(5, i), five[i]);
    for (std::int32_t i = 0; i < 7; ++i) EXPECT_EQ(rsGeneratorCoefficient(7, i), seven[i]);
    // Any other count selects the table of 68.
    EXPECT_EQ(rsGeneratorCoefficient(6, 3), rsGeneratorCoefficient(68, 3));
    EXPECT_EQ(rsGeneratorCoefficient(5, 5), 0);
    EXPECT_EQ(rsGeneratorCoefficient(5, -1), 0);
}

TEST(Reed, BlockChecks) {
    std::vector<std::int32_t> block = {142, 164, 186, 9, 9, 9, 9, 9};
    rsEncode256(block, 3, 5);
    EXPECT_EQ(block, (std::vector<std::int32_t>{142, 164, 186, 114, 25, 5, 88, 102}));

    std::vector<std::int32_t> zeros(20 + 18, 7);
    std::fill(zeros.begin(), zeros.begin() + 20, 0);
    rsEncode256(zeros, 20, 18);
    EXPECT_EQ(zeros, std::vector<std::int32_t>(38, 0));

    // A block too short for its checks, or an unknown count, is left alone.
    std::vector<std::int32_t> shortBlock = {1, 2, 3, 4};
    rsEncode256(shortBlock, 3, 5);
    rsEncode256(shortBlock, 1, 3);
    EXPECT_EQ(shortBlock, (std::vector<std::int32_t>{1, 2, 3, 4}));
}

TEST(Reed, ChecksMatchLongDivisionForEveryBlockShape) {
    // Every (data, check) shape of the sizes, plus the one-short blocks where the blocks
    // do not share the capacity evenly.
    std::set<std::pair<std::int32_t, std::int32_t>> shapes;
    for (std::size_t f = 1; f < kSizes.size(); ++f) {
        const auto& s = kSizes[f];
        shapes.insert({s.dataPerBlock, s.checkPerBlock});
        if (s.dataPerBlock * s.blocks != s.capacity)
            shapes.insert({s.dataPerBlock - 1, s.checkPerBlock});
    }
    ASSERT_EQ(shapes.size(), 26U);
    std::mt19937 rng(2026);
    for (const auto& [d, n] : shapes) {
        SCOPED_TRACE(std::to_string(d) + " + " + std::to_string(n));
        for (int round = 0; round < 40; ++round) {
            std::vector<std::int32_t> data(static_cast<std::size_t>(d));
            // Some rounds lean on zeros, which take the register's zero-feedback path.
            for (auto& v : data)
                v = round % 4 == 0 && rng() % 2 ? 0 : static_cast<int>(rng() % 256);
            const auto expected =
                test::longDivisionChecks(data, static_cast<std::size_t>(n), 0x12D);

            std::vector<std::uint8_t> bytes(data.begin(), data.end());
            std::vector<std::uint8_t> checks(static_cast<std::size_t>(n), 0xAA);
            ASSERT_TRUE(rsChecks256(bytes, checks));
            ASSERT_TRUE(std::equal(checks.begin(), checks.end(), expected.begin()));

            std::vector<std::int32_t> block = data;
            block.resize(data.size() + static_cast<std::size_t>(n), -1);
            rsEncode256(block, d, n);
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), block.begin() + d));
        }
    }
    std::vector<std::uint8_t> odd(6, 9);
    EXPECT_FALSE(rsChecks256(std::vector<std::uint8_t>{1, 2}, odd));
    EXPECT_EQ(odd, std::vector<std::uint8_t>(6, 9));
}

}  // namespace
}  // namespace qv::datamatrix
