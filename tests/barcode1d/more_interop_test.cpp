// Code 128, EAN-128, Interleaved 2 of 5 and Codabar drawn by the control read back through an
// independent reader.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "decode.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

using ZXing::BarcodeFormat;

// Paints with a quiet zone of 12 modules on both sides into a bitmap that fits the symbol.
test::Decoded paintAndRead(TBarcode1D& c, ZXing::BarcodeFormat format) {
    c.X = 2;
    c.N = 3;
    c.LeftMargin = 24;
    c.TopMargin = 20;
    c.BarHeightPixels = 40;
    RecordingCanvas probe({0, 0, 1 << 22, 200});
    c.paintBarcode(probe);
    Bitmap bitmap(static_cast<std::int32_t>(c.layoutMarks().symbolEnd + 24), 90);
    c.paintBarcode(bitmap.canvas());
    return test::decode(bitmap, format);
}

std::vector<std::string> randomTexts(std::string_view alphabet, int count, std::size_t maxLength,
                                     unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> length(1, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        std::string s(length(rng), ' ');
        for (char& ch : s) ch = alphabet[pick(rng)];
        texts.push_back(s);
    }
    return texts;
}

std::string characterRange(int first, int last) {
    std::string s;
    for (int c = first; c <= last; ++c) s += static_cast<char>(c);
    return s;
}

TEST(MoreEncodersInterop, Code128InEachSet) {
    struct SetCase {
        const char* set;
        std::string alphabet;
    };
    // Set B includes the braces, the vertical bar, "~" and DEL.
    const std::vector<SetCase> sets = {
        {"A", characterRange(0, 95)}, {"B", characterRange(32, 127)}, {"C", "0123456789"}};
    for (const SetCase& s : sets) {
        auto texts = randomTexts(s.alphabet, 40, 24, 11);
        texts.push_back(s.alphabet);
        if (std::string(s.set) == "C") {
            // A lone last character goes through CODE B or CODE A.
            texts.insert(texts.end(), {"12345", "7", "1234A", "98\x1f", "00{"});
        }
        for (const std::string& text : texts) {
            TBarcode1D c;
            c.barType = TSymbology::CODE128;
            c.Code128Set = s.set;
            c.Code = text;
            const auto read = paintAndRead(c, BarcodeFormat::Code128);
            ASSERT_TRUE(read.ok) << s.set << " " << text;
            EXPECT_EQ(read.bytes, text) << s.set;
            EXPECT_TRUE(c.notes().empty()) << s.set << " " << text;
        }
    }
}

TEST(MoreEncodersInterop, Ean128ReadsAsGs1) {
    // Digits, letters of both cases and control characters make the encoder change sets; an
    // FNC1 (byte 202) inside the data reads as the group separator.
    auto texts = randomTexts("0123456789012345678901234ABCXYZabcxyz_`{|}\x01\x1d\x7f", 60, 30, 5);
    texts.insert(texts.end(), {"12345AB", "AB12345678", "0112345678901234",
                               "01123\xca"
                               "10ABC",
                               "12\xc8"
                               "ab",
                               "12\xc9"
                               "AB",
                               "\x01`\x02", "1", "a"});
    for (const std::string& text : texts) {
        TBarcode1D c;
        c.barType = TSymbology::EAN128;
        c.Code = text;
        const auto read = paintAndRead(c, BarcodeFormat::Code128);
        ASSERT_TRUE(read.ok) << text;
        std::string expected;
        for (const char ch : text) {
            if (ch == '\xca')
                expected += '\x1d';
            else if (ch != '\xc8' && ch != '\xc9')
                expected += ch;
        }
        EXPECT_EQ(read.bytes, expected);
        EXPECT_EQ(read.symbologyIdentifier, "]C1") << text;
        EXPECT_EQ(c.Code128Set, "C");
    }
}

TEST(MoreEncodersInterop, Interleaved25) {
    auto texts = randomTexts("0123456789", 60, 20, 3);
    texts.insert(texts.end(), {"1234567", "12345", "000000", "99999999"});
    for (const std::string& text : texts) {
        for (const bool check : {true, false}) {
            TBarcode1D c;
            c.barType = TSymbology::INTERLEAVED25;
            c.Code = text;
            c.checkCharacter = check;
            const auto read = paintAndRead(c, BarcodeFormat::ITF);
            if (c.codeText.size() < 6) continue;  // the reader wants six digits or more
            ASSERT_TRUE(read.ok) << text;
            EXPECT_EQ(read.bytes, c.codeText);
        }
    }
}

TEST(MoreEncodersInterop, Codabar) {
    auto texts = randomTexts("0123456789-$:/.+", 60, 20, 9);
    texts.insert(texts.end(), {"1234", "A1234B", "C0D", "$"});
    for (const std::string& text : texts) {
        for (const char* startStop : {"AB", "CD", "DA"}) {
            TBarcode1D c;
            c.barType = TSymbology::CODABAR;
            c.Code = text;
            c.CODABARStartChar = std::string(1, startStop[0]);
            c.CODABARStopChar = std::string(1, startStop[1]);
            const auto read = paintAndRead(c, BarcodeFormat::Codabar);
            ASSERT_TRUE(read.ok) << text;
            // The reader leaves out start and stop and keeps the check character.
            std::string expected;
            for (const char ch : c.codeText)
                if (ch < 'A' || ch > 'D') expected += ch;
            EXPECT_EQ(read.bytes, expected) << text;
        }
    }
}

}  // namespace
}  // namespace qv
