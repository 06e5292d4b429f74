// Symbols rendered by the control must read back, through an independent reader, as the data.
#include <gtest/gtest.h>

#include <random>

#include "barcode1d/text_helpers.h"
#include "decode.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

using ZXing::BarcodeFormat;

struct Render {
    TSymbology type;
    std::string code{};
    std::int32_t x = 2;
    std::int32_t n = 3;
    bool check = true;
    std::string supplement{};  // add-on data, 2 or 5 digits
    std::string upceSystem = "1";
};

// Paints with quiet zones of 12 modules on both sides into a bitmap that fits the symbol.
test::Decoded renderAndRead(const Render& r, ZXing::BarcodeFormats formats,
                            test::DecodeOptions options = {}) {
    TBarcode1D c;
    c.barType = r.type;
    c.Code = r.code;
    c.X = r.x;
    c.N = r.n;
    c.checkCharacter = r.check;
    c.LeftMargin = 12 * r.x;
    c.TopMargin = 30;
    c.BarHeightPixels = 50;
    c.UPCESytem = r.upceSystem;
    c.supplement = r.supplement;
    c.UPCEANSupplement2 = r.supplement.size() == 2;
    c.UPCEANSupplement5 = r.supplement.size() == 5;
    c.supSeparation = 9 * r.x;
    RecordingCanvas probe({0, 0, 1 << 20, 400});
    c.paintBarcode(probe);
    const auto& m = c.layoutMarks();
    const std::int64_t end = std::max(m.symbolEnd, r.supplement.empty() ? 0 : m.supplementEnd);
    Bitmap bmp(static_cast<std::int32_t>(end + 12 * r.x), 120);
    c.paintBarcode(bmp.canvas());
    return test::decode(bmp, formats, options);
}

std::string randomText(std::mt19937& rng, std::string_view alphabet, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> len(1, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string s(len(rng), ' ');
    for (char& c : s) c = alphabet[pick(rng)];
    return s;
}

// Every character the symbology takes, in chunks, then random texts over the same alphabet.
std::vector<std::string> samples(std::string_view alphabet, std::size_t chunk, int randoms,
                                 std::size_t maxLength) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < alphabet.size(); i += chunk)
        out.emplace_back(alphabet.substr(i, chunk));
    std::mt19937 rng(12345);
    for (int i = 0; i < randoms; ++i) out.push_back(randomText(rng, alphabet, maxLength));
    return out;
}

constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

std::string asciiAlphabet() {
    std::string s;
    for (int c = 0; c < 128; ++c) s += static_cast<char>(c);
    return s;
}

TEST(Barcode1DInterop, Code39) {
    for (const std::int32_t x : {2, 3}) {
        for (const auto& data : samples(kCode39Chars, 11, 25, 20)) {
            for (const bool check : {true, false}) {
                SCOPED_TRACE(data + (check ? " with check" : ""));
                const auto d = renderAndRead(
                    {.type = TSymbology::CODE39, .code = data, .x = x, .check = check},
                    BarcodeFormat::Code39, {.code39CheckSum = check});
                ASSERT_TRUE(d.ok);
                EXPECT_EQ(d.text, data);
            }
        }
    }
}

TEST(Barcode1DInterop, Code39Extended) {
    for (const auto& data : samples(asciiAlphabet(), 9, 25, 16)) {
        SCOPED_TRACE(barcode1d::escapeForNote(data, 99));
        const auto d =
            renderAndRead({.type = TSymbology::CODE39EXT, .code = data}, BarcodeFormat::Code39,
                          {.code39Extended = true, .code39CheckSum = true});
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.bytes, data);
    }
}

TEST(Barcode1DInterop, Code93) {
    // Long data wraps both check weights (C after 20 characters, K after 14).
    for (const auto& data : samples(kCode39Chars, 11, 30, 40)) {
        SCOPED_TRACE(data);
        const auto d = renderAndRead({.type = TSymbology::CODE93, .code = data, .n = 2},
                                     BarcodeFormat::Code93);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.text, data);
    }
}

TEST(Barcode1DInterop, Code93Extended) {
    for (const auto& data : samples(asciiAlphabet(), 9, 25, 30)) {
        SCOPED_TRACE(barcode1d::escapeForNote(data, 99));
        const auto d = renderAndRead({.type = TSymbology::CODE93EXT, .code = data, .n = 2},
                                     BarcodeFormat::Code93);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.bytes, data);
    }
}

std::string randomDigits(std::mt19937& rng, std::size_t n) {
    std::string s(n, '0');
    std::uniform_int_distribution<int> d(0, 9);
    for (char& c : s) c = static_cast<char>('0' + d(rng));
    return s;
}

TEST(Barcode1DInterop, EanAndUpcA) {
    struct Case {
        TSymbology type;
        BarcodeFormat format;
        std::size_t digits;  // without the check digit
    };
    const Case cases[] = {
        {TSymbology::EAN13, BarcodeFormat::EAN13, 12},
        {TSymbology::EAN8, BarcodeFormat::EAN8, 7},
        {TSymbology::UPCA, BarcodeFormat::UPCA, 11},
    };
    std::mt19937 rng(7);
    for (const auto& c : cases) {
        for (int i = 0; i < 30; ++i) {
            const std::string data = randomDigits(rng, c.digits);
            const std::string full = data + barcode1d::mod10CheckDigit(data);
            SCOPED_TRACE(full);
            const auto d = renderAndRead({.type = c.type, .code = data, .x = 1 + i % 3}, c.format);
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(d.text, full);
        }
    }
}

// A UPC-A number that UPC-E represents, by the rule its manufacturer digits select.
std::string upceNumber(std::mt19937& rng, int rule) {
    std::string s = randomDigits(rng, 11);
    s[0] = static_cast<char>('0' + rng() % 2);
    switch (rule) {
        case 0:  // M3 0 to 2, M4 M5 0: drops P1 P2
            s.replace(3, 3, std::string(1, static_cast<char>('0' + rng() % 3)) + "00");
            s.replace(6, 2, "00");
            break;
        case 1:  // M3 3 to 9, M4 M5 0: drops P1 to P3
            s.replace(3, 3, std::string(1, static_cast<char>('3' + rng() % 7)) + "00");
            s.replace(6, 3, "000");
            break;
        case 2:  // M4 1 to 9, M5 0: drops P1 to P4
            s.replace(4, 2, std::string(1, static_cast<char>('1' + rng() % 9)) + "0");
            s.replace(6, 4, "0000");
            break;
        default:  // M5 not 0: drops P1 to P4, P5 5 to 9
            s[5] = static_cast<char>('1' + rng() % 9);
            s.replace(6, 4, "0000");
            s[10] = static_cast<char>('5' + rng() % 5);
            break;
    }
    return s;
}

TEST(Barcode1DInterop, UpcE) {
    std::mt19937 rng(11);
    for (int i = 0; i < 40; ++i) {
        const std::string number = upceNumber(rng, i % 4);
        SCOPED_TRACE(number);
        const std::string system = number.substr(0, 1);
        const auto d = renderAndRead(
            {.type = TSymbology::UPCE, .code = number, .upceSystem = system}, BarcodeFormat::UPCE);
        ASSERT_TRUE(d.ok);
        // The reader gives the number system, the six digits and the check digit.
        ASSERT_EQ(d.text.size(), 8u);
        EXPECT_EQ(d.text[0], number[0]);
        EXPECT_EQ(d.text.back(), barcode1d::mod10CheckDigit(number)[0]);
    }
}

TEST(Barcode1DInterop, AddOns) {
    struct Case {
        TSymbology type;
        BarcodeFormat format;
        std::string code;
    };
    const Case cases[] = {
        {TSymbology::EAN13, BarcodeFormat::EAN13, "590123412345"},
        {TSymbology::UPCA, BarcodeFormat::UPCA, "03600029145"},
        {TSymbology::EAN8, BarcodeFormat::EAN8, "5512345"},
        {TSymbology::UPCE, BarcodeFormat::UPCE, "04210000526"},
    };
    std::mt19937 rng(3);
    for (const auto& c : cases) {
        for (int i = 0; i < 12; ++i) {
            const std::string addOn = randomDigits(rng, i % 2 ? 5 : 2);
            SCOPED_TRACE(c.code + " + " + addOn);
            const auto d = renderAndRead({.type = c.type,
                                          .code = c.code,
                                          .x = 1 + i % 2,
                                          .supplement = addOn,
                                          .upceSystem = "0"},
                                         c.format, {.readAddOn = true});
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(d.addOn, addOn);
        }
    }
}

}  // namespace
}  // namespace qv
