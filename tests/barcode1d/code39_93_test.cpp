#include <gtest/gtest.h>

#include <vector>

#include "barcode1d/code39_93.h"
#include "barcode1d/code39_93_tables.h"
#include "traced_sink.h"

namespace qv::barcode1d::trace {
namespace {

Encoded encode(Encoder encoder, std::string code, bool check = true, std::int32_t x = 1,
               std::int32_t i = 1) {
    Barcode1DProperties p;
    p.Code = std::move(code);
    p.checkCharacter = check;
    p.X = x;
    p.I = i;
    return encodeWith(encoder, p);
}

TEST(Code39And93, CheckCharactersAndText) {
    struct Case {
        Encoder encoder;
        std::string code;
        bool check;
        std::string codeText;
    };
    const Case cases[] = {
        {encodeCode39, "CODE39", true, "CODE39W"},
        {encodeCode39, "", true, "0"},
        {encodeCode39, "", false, ""},
        {encodeCode39, "code39", true, "code39C"},  // lower case is left out of the sum
        {encodeCode39Ext, "a", true, "a8"},         // "+A": 41 + 10 = 51, mod 43 = 8
        {encodeCode39Ext, "\x01", true,
         "\x01"
         "6"},  // "$A": 39 + 10 = 49, mod 43 = 6
        {encodeCode93, "TEST93", true, "TEST93+6"},
        {encodeCode93, "CODE93", true, "CODE93PV"},
        {encodeCode93, "", true, "00"},
        {encodeCode93, "", false, ""},
        // C = Z x 2 + K x 1 = 90, mod 47 = 43: a shift character, shown as "_".
        {encodeCode93, "ZK", true, "ZK_0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(encode(c.encoder, c.code, c.check).props.codeText, c.codeText);
    }
}

TEST(Code39And93, ModuleCounts) {
    // Code 39 character: 3 wide + 6 narrow elements; Code 93: 9 modules; gaps of I x X pixels.
    struct Case {
        Encoder encoder;
        std::string code;
        bool check;
        std::int32_t x, i;
        std::size_t modules;
    };
    const Case cases[] = {
        {encodeCode39, "", true, 1, 1, 3 * 12 + 2},
        {encodeCode39, "", false, 1, 1, 2 * 12 + 1},
        {encodeCode39, "AB", false, 1, 0, 4 * 12 + 3},  // I = 0 still leaves a 1-pixel gap
        {encodeCode39, "AB", false, 2, 3, 2 * (4 * 12 + 3 * 3)},
        {encodeCode39Ext, "a", false, 1, 1, 4 * 12 + 3},
        {encodeCode93, "AB", true, 1, 5, 9 * 4 + 9 + 10},  // I plays no part in Code 93
        {encodeCode93Ext, "a", false, 1, 1, 9 * 2 + 9 + 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(encode(c.encoder, c.code, c.check, c.x, c.i).modules.size(), c.modules);
    }
}

TEST(Code39And93, ExtendedShiftPairsMatchThePlainSymbology) {
    // "a" in Code 39 Extended is the Code 39 pair "+A"; code 0 is "%U".
    EXPECT_EQ(encode(encodeCode39Ext, "a").modules, encode(encodeCode39, "+A").modules);
    EXPECT_EQ(encode(encodeCode39Ext, std::string(1, '\0')).modules,
              encode(encodeCode39, "%U").modules);
    EXPECT_EQ(encode(encodeCode39Ext, "AZ-. 09").modules, encode(encodeCode39, "AZ-. 09").modules);
    EXPECT_EQ(encode(encodeCode93Ext, "AZ-. 09").modules, encode(encodeCode93, "AZ-. 09").modules);
}

// Code 93 Full ASCII, written from the rules of the standard rather than from the encoder's table:
// a character Code 93 has is itself; the others are a shift and a letter.
std::vector<int> code93FullAscii(int code) {
    constexpr std::string_view kSet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    constexpr int kDollar = 43, kPercent = 44, kSlash = 45, kPlus = 46;
    const auto letter = [&](char c) { return static_cast<int>(kSet.find(c)); };
    if (const auto at = kSet.find(static_cast<char>(code)); code > 0 && at != kSet.npos)
        return {static_cast<int>(at)};
    const auto shifted = [&](int shift, char first, int from) {
        return std::vector<int>{shift, letter(static_cast<char>(first + code - from))};
    };
    if (code == 0) return {kPercent, letter('U')};
    if (code <= 26) return shifted(kDollar, 'A', 1);
    if (code <= 31) return shifted(kPercent, 'A', 27);
    if (code <= 44) return shifted(kSlash, 'A', 33);  // "!" to ","; "$", "%", "+" are themselves
    if (code == ':') return {kSlash, letter('Z')};
    if (code <= '?') return shifted(kPercent, 'F', ';');
    if (code == '@') return {kPercent, letter('V')};
    if (code <= '_') return shifted(kPercent, 'K', '[');
    if (code == '`') return {kPercent, letter('W')};
    if (code <= 'z') return shifted(kPlus, 'A', 'a');
    return shifted(kPercent, 'P', '{');
}

// Start, the symbol characters, C, K and stop, one character per module.
std::string code93Modules(const std::vector<int>& values) {
    std::string m;
    const auto draw = [&](std::string_view widths) {
        for (std::size_t k = 0; k < widths.size(); ++k)
            m.append(static_cast<std::size_t>(widths[k] - '0'), k % 2 == 0 ? '1' : '0');
    };
    draw(kCode93Start);
    for (const int v : values) draw(kCode93[v].pattern);
    draw(kCode93Stop);
    return m;
}

TEST(Code39And93, Code93ExtendedDrawsTheFullAsciiTable) {
    for (int code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        std::vector<int> chars = code93FullAscii(code);
        ASSERT_TRUE(chars.back() >= 0);
        // Weights from the right: C 1, 2, ...; K 1 for C, then 2, 3, ...
        const int n = static_cast<int>(chars.size());
        int c = 0, k = 0;
        for (int i = 0; i < n; ++i) {
            c += chars[n - 1 - i] * (i + 1);
            k += chars[n - 1 - i] * (i + 2);
        }
        c %= 47;
        k = (k + c) % 47;
        const std::string data(1, static_cast<char>(code));
        const auto r = encode(encodeCode93Ext, data);
        EXPECT_EQ(r.props.codeText, data + kCode93[c].key[0] + kCode93[k].key[0]);
        chars.push_back(c);
        chars.push_back(k);
        EXPECT_EQ(r.modules, code93Modules(chars));
        EXPECT_TRUE(r.notes.empty());
    }
}

TEST(Code39And93, Code93ExtendedKeepsItsOwnCharactersWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {"A+B", "A+BTQ"}, {"$", "$$N"}, {"+", "++T"}, {"/%", "/%S_"}};
    for (const auto& [data, codeText] : cases) {
        SCOPED_TRACE(data);
        EXPECT_EQ(encode(encodeCode93Ext, data).props.codeText, codeText);
        EXPECT_EQ(encode(encodeCode93Ext, data).modules, encode(encodeCode93, data).modules);
    }
}

TEST(Code39And93, ShiftOneHasNineModules) {
    // "ZK" makes the check C the shift ($): 1 2 1 2 2 1 modules, bar first.
    const auto r = encode(encodeCode93, "ZK");
    const std::string m = r.modules;
    ASSERT_EQ(m.size(), 9u * 5 + 10);
    EXPECT_EQ(m.substr(27, 9), "100100110");
}

TEST(Code39And93, UnencodableCharactersAreLeftOutWithANote) {
    struct Case {
        Encoder encoder;
        std::string code;
        std::string same;  // encodes to the same symbol
    };
    const Case cases[] = {
        {encodeCode39, "A*B", "AB"},  // "*" would end the symbol for a reader
        {encodeCode39, "a1b", "1"},      {encodeCode39Ext, "A\x80\xff", "A"},
        {encodeCode93, "A*b", "A"},      {encodeCode93, "_1", "1"},  // shift keys never match data
        {encodeCode93Ext, "\xe9x", "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const auto r = encode(c.encoder, c.code, false);
        EXPECT_EQ(r.modules, encode(c.encoder, c.same, false).modules);
        ASSERT_EQ(r.notes.size(), 1u);
        EXPECT_EQ(r.notes[0].severity, Note::Severity::Warning);
        EXPECT_TRUE(encode(c.encoder, c.same, false).notes.empty());
    }
}

TEST(Code39And93, NotesStayShortForHugeData) {
    const auto r = encode(encodeCode39, std::string(5000, 'a'));
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_LT(r.notes[0].text.size(), 100u);
}

}  // namespace
}  // namespace qv::barcode1d::trace
