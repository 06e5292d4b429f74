#include <gtest/gtest.h>

#include <string>

#include "pdf417/error_correction.h"
#include "pdf417/layout.h"

namespace qv::pdf417 {
namespace {

Bytes bytesOf(const std::string& s) {
    return Bytes(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

Symbol frame(TEncoding mode, const std::string& data, FrameOptions options = {},
             const Codewords& block = {}, std::int32_t reserve = 0) {
    return frameSymbol(mode, bytesOf(data), 0, block, reserve, options);
}

TEST(ErrorCorrection, GeneratorCoefficients) {
    EXPECT_EQ(std::vector<std::int16_t>(ecCoefficients(0).begin(), ecCoefficients(0).end()),
              (std::vector<std::int16_t>{27, 917}));
    EXPECT_EQ(std::vector<std::int16_t>(ecCoefficients(1).begin(), ecCoefficients(1).end()),
              (std::vector<std::int16_t>{522, 568, 723, 809}));
    EXPECT_EQ(std::vector<std::int16_t>(ecCoefficients(2).begin(), ecCoefficients(2).end()),
              (std::vector<std::int16_t>{237, 308, 436, 284, 646, 653, 428, 379}));
    for (std::int32_t level = 0; level <= kMaxEcLevel; ++level)
        EXPECT_EQ(ecCoefficients(level).size(), static_cast<std::size_t>(2 << level));
}

TEST(ErrorCorrection, LevelZeroExample) {
    Codewords symbol{5, 453, 178, 121, 239, 0, 0};
    appendErrorCorrection(symbol, 5, 0);
    EXPECT_EQ(symbol[5], 471);
    EXPECT_EQ(symbol[6], 661);
}

// Whatever the data and level, the finished codewords as a polynomial (first codeword highest)
// vanish at the generator's roots 3, 3^2, ..., 3^k: what a reader's syndromes check. The longest
// symbols at level 8 also bound the register's unreduced sums.
TEST(ErrorCorrection, CodewordsVanishAtTheRoots) {
    std::uint32_t state = 7;
    for (std::int32_t level = 0; level <= kMaxEcLevel; ++level) {
        const auto k = static_cast<std::size_t>(ecCount(level));
        for (const std::size_t n : {std::size_t{1}, std::size_t{37}, 928 - k}) {
            Codewords symbol(n + k, 0);
            for (std::size_t i = 0; i < n; ++i) {
                state = state * 1103515245U + 12345U;
                symbol[i] = level % 2 == 0 ? static_cast<std::int32_t>((state >> 8) % 929) : 928;
            }
            appendErrorCorrection(symbol, n, level);
            std::int64_t root = 1;
            for (std::size_t j = 1; j <= k; ++j) {
                root = root * 3 % 929;
                std::int64_t value = 0;
                for (const std::int32_t c : symbol) value = (value * root + c) % 929;
                ASSERT_EQ(value, 0) << "level " << level << ", " << n << " data, root " << j;
            }
        }
    }
}

TEST(Framing, DefaultSymbol) {
    const auto sym = frame(TEncoding::PDF_BINARY, "This is a PDF417 Barcode");
    EXPECT_EQ(sym.failure, Failure::None);
    EXPECT_EQ(sym.rows, 3);
    EXPECT_EQ(sym.codewords, (Codewords{28,  924, 141, 407, 764, 716, 185, 192, 839, 92,
                                        150, 364, 117, 584, 669, 55,  534, 163, 273, 747,
                                        378, 397, 900, 900, 900, 900, 900, 900, 386, 494}));
}

struct EmptyCase {
    TEncoding mode;
    std::int32_t latch;  // position 1; 900 (a pad) in text mode
};

TEST(Framing, EmptyDataIsAllPadding) {
    for (const auto c : {EmptyCase{TEncoding::PDF_BINARY, 901}, EmptyCase{TEncoding::PDF_TEXT, 900},
                         EmptyCase{TEncoding::PDF_NUMERIC, 902}}) {
        const auto sym = frame(c.mode, "");
        ASSERT_EQ(sym.codewords.size(), 30u);
        EXPECT_EQ(sym.codewords[0], 28);
        EXPECT_EQ(sym.codewords[1], c.latch);
        for (std::size_t i = 2; i < 28; ++i) EXPECT_EQ(sym.codewords[i], kPad);
    }
}

struct SizeCase {
    const char* what;
    TEncoding mode;
    std::string data;
    FrameOptions options;
    std::int32_t rows;
    std::int32_t columns;
};

TEST(Framing, RowsAndColumns) {
    const SizeCase cases[] = {
        {"columns 0 is one column", TEncoding::PDF_BINARY, "AB", {0, 0, 0, 0}, 6, 1},
        {"columns 31 is one column", TEncoding::PDF_BINARY, "AB", {0, 31, 0, 0}, 6, 1},
        {"minimum rows", TEncoding::PDF_BINARY, "AB", {0, 10, 20, 0}, 20, 10},
        {"minimum rows above 90", TEncoding::PDF_TEXT, "AB", {0, 5, 500, 0}, 90, 5},
        {"level 8 with 10 columns", TEncoding::PDF_TEXT, "AB", {8, 10, 0, 0}, 52, 10},
        {"level above 8 is 8", TEncoding::PDF_TEXT, "AB", {99, 10, 0, 0}, 52, 10},
        {"level below 0 is 0", TEncoding::PDF_TEXT, "AB", {-3, 10, 0, 0}, 3, 10},
    };
    for (const auto& c : cases) {
        const auto sym = frame(c.mode, c.data, c.options);
        EXPECT_EQ(sym.failure, Failure::None) << c.what;
        EXPECT_EQ(sym.rows, c.rows) << c.what;
        EXPECT_EQ(sym.columns, c.columns) << c.what;
        EXPECT_EQ(sym.codewords.size(), static_cast<std::size_t>(c.rows * c.columns)) << c.what;
        EXPECT_EQ(sym.codewords[0], c.rows * c.columns - ecCount(sym.ecLevel)) << c.what;
    }
}

struct FailureCase {
    const char* what;
    TEncoding mode;
    std::string data;
    FrameOptions options;
    Failure failure;
    std::string text;
};

TEST(Framing, Failures) {
    const FailureCase cases[] = {
        {"rows",
         TEncoding::PDF_BINARY,
         std::string(300, 'x'),
         {0, 1, 0, 0},
         Failure::Rows,
         "Configuration not posible, rows= 254"},
        {"length",
         TEncoding::PDF_BINARY,
         std::string(2000, 'x'),
         {0, 30, 0, 0},
         Failure::Length,
         "Configuration not posible, length=930"},
        {"minimum rows past 928 codewords",
         TEncoding::PDF_TEXT,
         "AB",
         {0, 30, 40, 0},
         Failure::Length,
         "Configuration not posible, length=1200"},
        // Byte mode caps its estimate at the row limit; three codewords cannot hold descriptor,
        // latch and four error-correction codewords.
        {"frame larger than the row limit",
         TEncoding::PDF_BINARY,
         "ABCDEFGH",
         {1, 1, 0, 3},
         Failure::Length,
         "Configuration not posible, length=3"},
        {"numeric with a letter", TEncoding::PDF_NUMERIC, "12a", {}, Failure::InvalidNumeric, ""},
        {"numeric rows",
         TEncoding::PDF_NUMERIC,
         std::string(3000, '7'),
         {0, 1, 0, 0},
         Failure::Rows,
         "Configuration not posible, rows= 1027"},
        {"unknown mode", static_cast<TEncoding>(3), "AB", {}, Failure::UnknownMode, ""},
    };
    for (const auto& c : cases) {
        const auto sym = frame(c.mode, c.data, c.options);
        EXPECT_EQ(sym.failure, c.failure) << c.what;
        EXPECT_TRUE(sym.codewords.empty()) << c.what;
        EXPECT_EQ(failureText(sym), c.text) << c.what;
        EXPECT_EQ(sym.end, 0u) << c.what;
    }
}

TEST(Framing, MacroBlockBeforeErrorCorrection) {
    const Codewords block{928, 111, 100, 65, 66};
    const auto sym = frame(TEncoding::PDF_BINARY, "ABC", {}, block, 1);
    ASSERT_EQ(sym.codewords.size(), 30u);
    EXPECT_EQ(sym.codewords[0], 28);
    EXPECT_EQ(Codewords(sym.codewords.begin() + 23, sym.codewords.begin() + 28), block);
    // The reserved codeword stays a pad.
    EXPECT_EQ(sym.codewords[22], kPad);
    EXPECT_EQ(sym.end, 3u);
}

TEST(Framing, TextLimitStaysDrawable) {
    // Every character counted as taken must be in a symbol that can be drawn.
    const std::string letters(4000, 'A');
    for (std::int32_t columns : {1, 7, 13, 30}) {
        for (std::int32_t maxRows : {0, 40, 90}) {
            const auto sym = frame(TEncoding::PDF_TEXT, letters, {0, columns, 0, maxRows});
            EXPECT_EQ(sym.failure, Failure::None) << columns << " " << maxRows;
            EXPECT_GT(sym.end, 0u);
            EXPECT_LE(sym.rows, 90);
        }
    }
}

}  // namespace
}  // namespace qv::pdf417
