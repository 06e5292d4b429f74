#include <gtest/gtest.h>

#include <vector>

#include "datamatrix/reed.h"

namespace qv::datamatrix {
namespace {

TEST(Reed, FieldProducts) {
    // Checked against carry-less multiplication reduced by the polynomial.
    auto slow = [](std::int32_t a, std::int32_t b) {
        std::int32_t r = 0;
        for (; b; b >>= 1, a <<= 1) {
            if (a & 0x100) a ^= 0x12D;
            if (b & 1) r ^= a;
        }
        return r;
    };
    for (std::int32_t a = 0; a < 256; ++a)
        for (std::int32_t b = 0; b < 256; ++b)
            ASSERT_EQ(gfMultiply256(a, b), slow(a, b)) << a << "*" << b;
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

}  // namespace
}  // namespace qv::datamatrix
