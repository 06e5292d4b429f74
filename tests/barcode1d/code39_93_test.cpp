#include <gtest/gtest.h>

#include "barcode1d/code39_93.h"
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
