#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datamatrix/escapes.h"
#include "datamatrix/symbol_size.h"
#include "read_symbol.h"

namespace qv {
namespace {

using test::readSymbol;
using test::renderSymbol;

test::DatamatrixRead buildAndRead(const std::string& code, TEncoding encoding,
                                  TFormat preferred = TFormat::AUTO, bool tilde = false) {
    TDatamatrix dm;
    dm.Code = code;
    dm.Encoding = encoding;
    dm.PreferredFormat = preferred;
    dm.ProcessTilde = tilde;
    auto bitmap = renderSymbol(dm);
    return readSymbol(*bitmap);
}

constexpr TEncoding kReadableEncodings[] = {TEncoding::E_ASCII, TEncoding::E_C40, TEncoding::E_TEXT,
                                            TEncoding::E_BASE256, TEncoding::E_AUTO};

// Long texts of different character mixes; tests take prefixes of them.
struct Pool {
    const char* name;
    std::string text;
};

std::vector<Pool> pools() {
    std::vector<Pool> p;
    std::string mixed, high, digits, bytes, lower;
    const std::string phrase = "Quorvantix 2024: Mixed Case, digits 0123456789 & more!? ";
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; mixed.size() < 4000; ++i) mixed += phrase;
    for (std::size_t i = 0; i < 4000; ++i) high += static_cast<char>(128 + (i * 37) % 128);
    for (std::uint32_t i = 1; digits.size() < 4000; ++i)
        digits += std::to_string(i * 7919u) + static_cast<char>('a' + i % 26);
    for (std::size_t i = 0; i < 4000; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes += static_cast<char>((seed >> 16) & 0xFF);
    }
    for (std::size_t i = 0; lower.size() < 4000; ++i) lower += "the quick brown fox, OK? ";
    p.push_back({"mixed", mixed});
    p.push_back({"high", high});
    p.push_back({"digits", digits});
    p.push_back({"bytes", bytes});
    p.push_back({"lower", lower});
    return p;
}

bool fitsExactly(const std::string& data, TEncoding encoding, TFormat format) {
    using namespace datamatrix;
    const auto s = buildCodewordStream(encodeCodewords(plainText(data), encoding), format);
    return s && s->format == format;
}

// The longest prefix of `text` that still fits `format`.
std::size_t longestFit(const std::string& text, TEncoding encoding, TFormat format) {
    std::size_t lo = 0, hi = std::min<std::size_t>(
                            text.size(),
                            2 * static_cast<std::size_t>(datamatrix::sizeOf(format)->capacity) + 2);
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (fitsExactly(text.substr(0, mid), encoding, format))
            lo = mid;
        else
            hi = mid - 1;
    }
    while (lo > 0 && !fitsExactly(text.substr(0, lo), encoding, format)) --lo;
    return lo;
}

class EverySize : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(EverySize, EveryEncodingReadsBack) {
    static const auto all = pools();
    {
        const std::int32_t f = GetParam();
        const auto format = static_cast<TFormat>(f);
        for (const TEncoding encoding : kReadableEncodings) {
            for (const auto& pool : all) {
                const std::size_t full = longestFit(pool.text, encoding, format);
                for (const std::size_t length : {full, full / 3}) {
                    if (length == 0 || !fitsExactly(pool.text.substr(0, length), encoding, format))
                        continue;
                    const std::string data = pool.text.substr(0, length);
                    SCOPED_TRACE("size " + std::to_string(f) + ", encoding " +
                                 std::to_string(static_cast<int>(encoding)) + ", " + pool.name +
                                 " x " + std::to_string(length));
                    TDatamatrix dm;
                    dm.Code = data;
                    dm.Encoding = encoding;
                    dm.PreferredFormat = format;
                    auto bitmap = renderSymbol(dm);
                    EXPECT_EQ(dm.CalculatedFormat, format);
                    const auto r = readSymbol(*bitmap);
                    ASSERT_TRUE(r.ok);
                    ASSERT_EQ(r.bytes, data);
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DatamatrixInterop, EverySize,
                         ::testing::Range(std::int32_t{1}, datamatrix::kSizeCount + 1));

TEST(DatamatrixInterop, FunctionCharactersReadInEveryEncoding) {
    for (const TEncoding encoding : kReadableEncodings) {
        SCOPED_TRACE(static_cast<int>(encoding));
        const auto gs1 =
            buildAndRead("~10112345678901231~110ABCdef", encoding, TFormat::AUTO, true);
        ASSERT_TRUE(gs1.ok);
        EXPECT_EQ(gs1.symbologyId, "]d2");
        EXPECT_EQ(gs1.contentType, "GS1");
        EXPECT_EQ(gs1.bytes,
                  "0112345678901231\x1D"
                  "10ABCdef");

        const auto eci = buildAndRead(
            "~7000026Gr\xC3\xBC\xC3\x9F"
            "e aus Bonn",
            encoding, TFormat::AUTO, true);
        ASSERT_TRUE(eci.ok);
        EXPECT_TRUE(eci.hasEci);
        EXPECT_NE(eci.bytesEci.find("\\000026Gr\xC3\xBC\xC3\x9F"
                                    "e aus Bonn"),
                  std::string::npos)
            << eci.bytesEci;

        const auto macro5 = buildAndRead("~5ABCDEFGH", encoding, TFormat::AUTO, true);
        ASSERT_TRUE(macro5.ok);
        EXPECT_EQ(macro5.bytes,
                  "[)>\x1E"
                  "05\x1D"
                  "ABCDEFGH\x1E\x04");
        const auto macro6 = buildAndRead("~6abcdefgh", encoding, TFormat::AUTO, true);
        ASSERT_TRUE(macro6.ok);
        EXPECT_EQ(macro6.bytes,
                  "[)>\x1E"
                  "06\x1D"
                  "abcdefgh\x1E\x04");

        const auto init = buildAndRead("~3ABCDEFGH", encoding, TFormat::AUTO, true);
        ASSERT_TRUE(init.ok);
        EXPECT_TRUE(init.readerInit);

        // Symbol 2 of 3 (index 1 << 4 | 17 - 3), file identifier 65, 66.
        const auto append = buildAndRead(
            "~2\x1E"
            "ABpart two",
            encoding, TFormat::AUTO, true);
        ASSERT_TRUE(append.ok);
        EXPECT_EQ(append.sequenceIndex, 1);
        EXPECT_EQ(append.sequenceSize, 3);
        EXPECT_EQ(append.sequenceId, "16706");
        EXPECT_EQ(append.bytes, "part two");
    }
}

TEST(DatamatrixInterop, ShortMixedDataReadsInEveryEncoding) {
    // Short runs of letters, digits, punctuation and high bytes switch modes often.
    const std::string alphabet = "ABCDEFGHIJKLMabcdef0123 .,\xC1\xE4\xE5\xFF\x01";
    std::uint32_t seed = 2024;
    for (int i = 0; i < 150; ++i) {
        std::string data;
        seed = seed * 1664525u + 1013904223u;
        const std::size_t length = 1 + (seed >> 8) % 40;
        for (std::size_t k = 0; k < length; ++k) {
            seed = seed * 1664525u + 1013904223u;
            data += alphabet[(seed >> 10) % alphabet.size()];
        }
        for (const TEncoding encoding : kReadableEncodings) {
            SCOPED_TRACE(std::to_string(i) + " / " + std::to_string(static_cast<int>(encoding)));
            const auto r = buildAndRead(data, encoding);
            ASSERT_TRUE(r.ok);
            ASSERT_EQ(r.bytes, data);
        }
    }
}

TEST(DatamatrixInterop, MendedEncodationsRead) {
    struct Case {
        std::string data;
        TEncoding encoding;
    };
    const Case cases[] = {
        {"ab\xC1\xE1Zz", TEncoding::E_TEXT},  // Text from 128 on
        {"\xE4\xE5\xE6\xE7\xE8\xE9\xEA"
         "1234",
         TEncoding::E_AUTO},  // Base 256, then ASCII
        {"CAG A1AIf\xE4"
         "d.",
         TEncoding::E_AUTO},               // C40, unlatch, Base 256
        {"ABX", TEncoding::E_C40},         // 254 as data at the end
        {"ABCDEFGHIJ", TEncoding::E_C40},  // last character in ASCII, unlatch dropped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const auto r = buildAndRead(c.data, c.encoding);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.bytes, c.data);
    }
}

}  // namespace
}  // namespace qv
