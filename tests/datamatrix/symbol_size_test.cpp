#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datamatrix/escapes.h"
#include "datamatrix/reed.h"
#include "datamatrix/symbol_size.h"

namespace qv::datamatrix {
namespace {

using Codewords = std::vector<std::int32_t>;

std::optional<CodewordStream> stream(std::string_view data, TEncoding encoding,
                                     TFormat preferred = TFormat::AUTO) {
    return buildCodewordStream(encodeCodewords(plainText(data), encoding), preferred);
}

Codewords dataPart(const CodewordStream& s) {
    const auto capacity = static_cast<std::size_t>(sizeOf(s.format)->capacity);
    return Codewords(s.codewords.begin(), s.codewords.begin() + static_cast<long>(capacity));
}

TEST(SymbolSize, WorkedStreams) {
    const auto s = stream("123456", TEncoding::E_ASCII);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format, TFormat::C10X10);
    EXPECT_EQ(s->codewords, (Codewords{142, 164, 186, 114, 25, 5, 88, 102}));

    // Pads: 129, then 129 randomised by position 3.
    const auto pad = stream("A", TEncoding::E_ASCII);
    ASSERT_TRUE(pad);
    EXPECT_EQ(dataPart(*pad), (Codewords{66, 129, 70}));
    EXPECT_EQ(randomize253(129, 3), 70);
}

TEST(SymbolSize, Choice) {
    using enum TFormat;
    struct Case {
        std::size_t letters;  // that many codewords in ASCII
        TFormat preferred;
        TFormat expected;
    };
    const Case cases[] = {
        {3, AUTO, C10X10},
        {4, AUTO, C12X12},
        {3, C20X20, C20X20},
        {10, C10X10, C16X16},
        {10, C8X18, C16X16},
        {5, C8X18, C8X18},
        {10, C8X32, C8X32},
        {49, C16X48, C16X48},
        {50, C16X48, C32X32},
        {1558, AUTO, C144X144},
        {1305, AUTO, C144X144},
        {1304, C10X10, C132X132},
        {3, static_cast<TFormat>(31), C10X10},
        {3, static_cast<TFormat>(-1), C10X10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.letters) + " in " +
                     std::to_string(static_cast<int>(c.preferred)));
        const auto s = stream(std::string(c.letters, 'A'), TEncoding::E_ASCII, c.preferred);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->format, c.expected);
        EXPECT_EQ(s->codewords.size(),
                  static_cast<std::size_t>(sizeOf(c.expected)->capacity +
                                           sizeOf(c.expected)->blocks *
                                               sizeOf(c.expected)->checkPerBlock));
    }
    EXPECT_FALSE(stream(std::string(1559, 'A'), TEncoding::E_ASCII));
    EXPECT_FALSE(stream(std::string(1559, 'A'), TEncoding::E_ASCII, C144X144));
    EXPECT_FALSE(buildCodewordStream(Encoded{}, AUTO));
}

TEST(SymbolSize, FinalUnlatch) {
    struct Case {
        std::string data;
        TFormat format;
        Codewords data0;  // the data codewords of the symbol
    };
    const Case cases[] = {
        // One codeword too many: the final unlatch goes.
        {"ABC", TFormat::C10X10, {230, 89, 233}},
        {"ABCDEFGHIJ", TFormat::C14X14, {230, 89, 233, 109, 36, 128, 95, 75}},
        // The 254 left is data of the C40 pair (A, B, X), not an unlatch: it stays.
        {"ABX", TFormat::C10X10, {230, 89, 254}},
        // A full symbol ends with a pad where the unlatch stood.
        {"ABCDEFGHI", TFormat::C14X14, {230, 89, 233, 109, 36, 128, 95, 129}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const auto s = stream(c.data, TEncoding::E_C40);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->format, c.format);
        EXPECT_EQ(dataPart(*s), c.data0);
    }
}

TEST(SymbolSize, InterleavingOf144) {
    // Check codeword e of block b stands at b + 10 x (data count of b + e): the two shorter
    // blocks (8 and 9, 155 data codewords) come first in each row of check codewords.
    const auto s = stream(std::string(1500, 'a'), TEncoding::E_ASCII, TFormat::C144X144);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->codewords.size(), 1558u + 620u);
    for (std::size_t b : {0u, 7u, 8u, 9u}) {
        Codewords block;
        for (std::size_t k = b; k < 1558; k += 10) block.push_back(s->codewords[k]);
        const std::size_t d = block.size();
        EXPECT_EQ(d, b < 8 ? 156u : 155u);
        block.resize(d + 62);
        rsEncode256(block, static_cast<std::int32_t>(d), 62);
        for (std::size_t e = 0; e < 62; ++e)
            ASSERT_EQ(s->codewords[b + 10 * (d + e)], block[d + e]) << b << "/" << e;
    }
}

}  // namespace
}  // namespace qv::datamatrix
