#include <gtest/gtest.h>

#include <algorithm>

#include "barcode1d/ean_upc.h"
#include "traced_sink.h"

namespace qv::barcode1d::trace {
namespace {

// The standard's 7-module digit encodings, written out independently of the encoder's tables:
// left odd (A / O), left even (B / E); right-hand characters are the odd ones inverted.
constexpr std::string_view kOdd[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                       "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr std::string_view kEven[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                        "0111001", "0000101", "0010001", "0001001", "0010111"};

// Digits and their sets ("A", "B", or "R" for right-hand) read from 7-module characters.
struct Read {
    std::string digits;
    std::string sets;
    void add(int digit, char set) {
        digits += static_cast<char>('0' + digit);
        sets += set;
    }
};

Read readDigits(std::string_view modules, std::size_t pos, std::size_t count,
                std::size_t stride = 7) {
    Read r;
    for (std::size_t k = 0; k < count; ++k, pos += stride) {
        const std::string_view c = modules.substr(pos, 7);
        std::string inverted(c);
        for (char& m : inverted) m = m == '1' ? '0' : '1';
        for (int d = 0; d < 10; ++d) {
            if (c == kOdd[d]) r.add(d, 'A');
            if (c == kEven[d]) r.add(d, 'B');
            if (inverted == kOdd[d]) r.add(d, 'R');
        }
    }
    return r;
}

Encoded encode(Encoder encoder, std::string code, bool check = true) {
    Barcode1DProperties p;
    p.Code = std::move(code);
    p.checkCharacter = check;
    return encodeWith(encoder, p);
}

TEST(EanUpc, WorkedSymbols) {
    struct Case {
        Encoder encoder;
        std::string code;
        std::string codeText;  // set by the encoder
        std::string left, leftSets, right;
    };
    const Case cases[] = {
        {encodeUPCA, "03600029145", "", "036000", "AAAAAA", "291452"},
        {encodeUPCA, "12345", "", "123450", "AAAAAA", "000000"},  // padded, no check digit
        {encodeEAN13, "400638133393", "4006381333931", "006381", "ABAABB", "333931"},
        {encodeEAN13, "5901234123457", "", "901234", "ABBAAB", "123457"},
        {encodeEAN8, "5512345", "", "5512", "AAAA", "3457"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const auto r = encode(c.encoder, c.code);
        EXPECT_EQ(r.props.codeText, c.codeText);
        const std::size_t half = c.left.size();
        const std::string& m = r.modules;
        ASSERT_EQ(m.size(), 3 + 14 * half + 5 + 3);
        EXPECT_EQ(m.substr(0, 3), "101");
        EXPECT_EQ(m.substr(3 + 7 * half, 5), "01010");
        EXPECT_EQ(m.substr(m.size() - 3), "101");
        const Read left = readDigits(m, 3, half);
        EXPECT_EQ(left.digits, c.left);
        EXPECT_EQ(left.sets, c.leftSets);
        const Read right = readDigits(m, 8 + 7 * half, half);
        EXPECT_EQ(right.digits, c.right);
        EXPECT_EQ(right.sets, std::string(half, 'R'));
        EXPECT_EQ(r.marks.leftDataStart, 3);
        EXPECT_EQ(r.marks.centreGuardStart, 3 + 7 * std::int64_t(half));
        EXPECT_EQ(r.marks.rightDataStart, 8 + 7 * std::int64_t(half));
        EXPECT_EQ(r.marks.rightGuardStart, 8 + 14 * std::int64_t(half));
        EXPECT_EQ(r.marks.symbolEnd, 11 + 14 * std::int64_t(half));
    }
}

TEST(EanUpc, UpcEZeroSuppressionAndParity) {
    struct Case {
        std::string code;
        std::string system;
        std::string data;
        std::string parity;  // A = odd (O), B = even (E)
        bool representable;
    };
    const Case cases[] = {
        {"042100005264", "1", "425261", "ABAABB", false},  // number system 0 drawn as 1
        {"042100005264", "0", "425261", "BABBAA", true},
        {"12345678901", "1", "234561", "AABBAB", false},   // dropped digits 7890 are not zero
        {"012300000657", "0", "123653", "BABABA", true},   // M1 M2 M3 P4 P5 3
        {"012340000057", "0", "123454", "BABABA", true},   // M1 .. M4 P5 4
        {"012345000057", "0", "123455", "BABABA", true},   // M1 .. M5 P5
        {"012345000017", "0", "123451", "BABABA", false},  // last rule needs P5 5 to 9
        {"212345000057", "0", "123455", "BABABA", false},  // number system 2
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code + " system " + c.system);
        Barcode1DProperties p;
        p.Code = c.code;
        p.UPCESytem = c.system;
        const auto r = encodeWith(encodeUPCE, p);
        EXPECT_EQ(r.props.codeText, c.data);
        ASSERT_EQ(r.modules.size(), 51u);
        EXPECT_EQ(r.modules.substr(45), "010101");
        const Read d = readDigits(r.modules, 3, 6);
        EXPECT_EQ(d.digits, c.data);
        EXPECT_EQ(d.sets, c.parity);
        const bool error = std::any_of(r.notes.begin(), r.notes.end(), [](const Note& n) {
            return n.severity == Note::Severity::Error;
        });
        EXPECT_EQ(error, !c.representable);
    }
}

TEST(EanUpc, Supplements) {
    struct Case {
        bool two, five;
        std::string supplement;
        std::string digits;  // drawn after the gap; empty: no add-on bars
        std::string sets;
    };
    const Case cases[] = {
        {true, false, "34", "34", "BA"},           // 34 mod 4 = 2: "EO"
        {false, true, "52495", "52495", "BABAA"},  // s = 141, check 1: "EOEOO"
        {true, true, "12", "12", "AA"},            // two wins
        {true, false, "12345", "", ""},            // wrong length: nothing drawn
        {false, true, "", "", ""},                 // EAN-13 fallback has four digits
        {true, false, "", "06", "BA"},             // fallback: positions 3 to 4
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.supplement);
        Barcode1DProperties p;
        p.Code = "400638133393";
        p.UPCEANSupplement2 = c.two;
        p.UPCEANSupplement5 = c.five;
        p.supplement = c.supplement;
        p.BarHeightPixels = 50;
        const auto r = encodeWith(encodeEAN13, p);
        EXPECT_EQ(r.marks.supplementTop, 10);
        EXPECT_EQ(r.props.codeSup, c.supplement.empty() ? (c.two ? "06" : "0638") : c.supplement);
        const std::string& m = r.modules;
        if (c.digits.empty()) {
            EXPECT_EQ(m.size(), 95u);
            continue;
        }
        // Start 1011, then digits of 7 modules with a 01 separator between them.
        EXPECT_EQ(m.substr(95, 10), std::string(10, '0'));
        EXPECT_EQ(m.substr(105, 4), "1011");
        const Read d = readDigits(m, 109, c.digits.size(), 9);
        EXPECT_EQ(d.digits, c.digits);
        EXPECT_EQ(d.sets, c.sets);
        EXPECT_EQ(r.marks.supplementStart, 105);
        EXPECT_EQ(r.marks.supplementEnd, 105 + 4 + 9 * std::int64_t(c.digits.size()) - 2);
        for (std::size_t k = 0; k < r.elements.size(); ++k) {
            if (r.elements[k].bar && k > 0 && r.elements[k - 1].width == 10) {
                // Every add-on element hangs from supplementTop, drawn as a guard.
                for (std::size_t j = k; j < r.elements.size(); ++j) {
                    EXPECT_TRUE(r.elements[j].guard);
                    EXPECT_EQ(r.elements[j].top, 10);
                }
                break;
            }
        }
    }
}

TEST(EanUpc, LengthAndCheckDigitNotes) {
    struct Case {
        Encoder encoder;
        std::string code;
        bool check;
        std::size_t warnings;
    };
    const Case cases[] = {
        {encodeEAN13, "400638133393", true, 0},  {encodeEAN13, "4006381333931", true, 0},
        {encodeEAN13, "4006381333932", true, 1},  // wrong check digit
        {encodeEAN13, "400638133393", false, 1},  // padded
        {encodeEAN8, "551234571", true, 1},       // cut
        {encodeUPCA, "0360002914A", true, 1},     // no bars for "A"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const auto r = encode(c.encoder, c.code, c.check);
        EXPECT_EQ(r.notes.size(), c.warnings);
        for (const auto& n : r.notes) EXPECT_EQ(n.severity, Note::Severity::Warning);
    }
}

}  // namespace
}  // namespace qv::barcode1d::trace
