#include "barcode1d/two_of_five.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode1d/more_encoders.h"
#include "recording_sink.h"
#include "zint_dump.h"

namespace qv::barcode1d {
namespace {

using test::Harness;

struct InterleavedCase {
    std::string data;
    bool check;
    std::string codeText;
    std::size_t pairsDrawn;
    bool leftOut;
};

TEST(Interleaved25, DigitStringPairsAndCodeText) {
    const std::vector<InterleavedCase> cases = {
        {"1234567", true, "12345670", 4, false},
        {"1234", false, "1234", 2, false},
        {"1234", true, "012348", 3, false},
        {"123", false, "0123", 2, false},
        {"12A4", true, "012A43", 2, true},  // the pair "2A" is dropped whole
        {"", true, "00", 1, false},
        {"", false, "", 0, false},
    };
    for (const auto& c : cases) {
        Harness h;
        h.props.Code = c.data;
        h.props.checkCharacter = c.check;
        h.run(encodeInterleaved25);
        EXPECT_EQ(h.props.codeText, c.codeText) << c.data;
        // Start 4, 10 per pair, stop 3.
        EXPECT_EQ(h.sink.elements.size(), 7 + 10 * c.pairsDrawn) << c.data;
        bool leftOut = false;
        for (const Note& n : h.notes) leftOut |= n.text.find("left out") != std::string::npos;
        EXPECT_EQ(leftOut, c.leftOut) << c.data;
    }
}

TEST(Interleaved25, BarsCarryTheFirstDigitAndSpacesTheSecond) {
    Harness h;
    h.props.Code = "38";
    h.props.checkCharacter = false;
    h.run(encodeInterleaved25);
    // Start, then 3 "wwnnn" in the bars and 8 "wnnwn" in the spaces, then the stop.
    EXPECT_EQ(h.sink.runs(),
              "1111"
              "2221111211"
              "211");
}

TEST(TwoOfFive, CheckDigit) {
    EXPECT_EQ(twoOfFiveCheckDigit("1234567"), '0');
    EXPECT_EQ(twoOfFiveCheckDigit("01234"), '8');
    EXPECT_EQ(twoOfFiveCheckDigit("012A4"), '3');  // the letter takes no place
    EXPECT_EQ(twoOfFiveCheckDigit(""), '0');
}

TEST(Industrial25, CheckDigitIsDrawnButNotShown) {
    Harness h;
    h.props.Code = "1234567";
    h.run(encodeIndustrial25);
    EXPECT_EQ(h.props.codeText, "");  // the control shows Code
    // Start 6, 8 digits of 10 elements, stop 5; every space is wide.
    ASSERT_EQ(h.sink.elements.size(), 6u + 80u + 5u);
    for (std::size_t i = 7; i < 86; i += 2) EXPECT_EQ(h.sink.elements[i].width, 2) << i;
}

TEST(Matrix25, IgnoresCheckCharacterAndSkipsNonDigits) {
    Harness with, without;
    with.props.Code = without.props.Code = "12x3";
    without.props.checkCharacter = false;
    with.run(encodeMatrix25);
    without.run(encodeMatrix25);
    EXPECT_EQ(with.sink.runs(), without.sink.runs());
    EXPECT_EQ(with.sink.elements.size(), 6u + 3 * 6u + 6u);
    ASSERT_EQ(with.notes.size(), 1u);
    EXPECT_NE(with.notes[0].text.find("'x' at 2"), std::string::npos);
}

TEST(TwoOfFive, EmptyData) {
    Harness ind, mat;
    ind.props.Code = mat.props.Code = "";
    ind.run(encodeIndustrial25);
    mat.run(encodeMatrix25);
    EXPECT_EQ(ind.sink.elements.size(), 6u + 10u + 5u);  // the check digit 0 only
    EXPECT_EQ(mat.sink.runs(),
              "211111"
              "211111");
}

// zint draws the same digits with a wide-to-narrow ratio of 3 (N = 3). Industrial 2 of 5 here
// has wide spaces everywhere, where zint has narrow ones, so only the bar widths are compared;
// with zint's check digit option (--vers=1) the check digits agree. Matrix 2 of 5 starts and
// stops with a bar of N modules here and of 4 in zint, so only the data characters are compared.
TEST(TwoOfFive, CrossCheckWithZint) {
    for (const std::string data : {"0", "1234567", "9876543210", "0000", "31415926535897932384"}) {
        Harness ind;
        ind.props.Code = data;
        ind.props.N = 3;
        ind.run(encodeIndustrial25);
        const auto zi = test::zintModules("-b 7 --vers=1 -d " + data);
        ASSERT_TRUE(zi.has_value());
        std::string zintBars;
        const std::string runs = test::runsOf(zi->front());
        for (std::size_t i = 0; i < runs.size(); i += 2) zintBars += runs[i];
        EXPECT_EQ(ind.sink.barRuns(), zintBars) << data;

        Harness mat;
        mat.props.Code = data;
        mat.props.N = 3;
        mat.run(encodeMatrix25);
        const auto zm = test::zintModules("-b 2 -d " + data);
        ASSERT_TRUE(zm.has_value());
        const std::string ours = mat.sink.runs();
        const std::string theirs = test::runsOf(zm->front());
        ASSERT_GT(theirs.size(), 11u);
        EXPECT_EQ(ours.substr(6, ours.size() - 12), theirs.substr(6, theirs.size() - 11)) << data;
    }
}

}  // namespace
}  // namespace qv::barcode1d
