#include "barcode1d/code11_codabar_msi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode1d/more_encoders.h"
#include "recording_sink.h"
#include "zint_dump.h"

namespace qv::barcode1d {
namespace {

using test::Harness;

struct TextCase {
    std::string data;
    bool check;
    std::string codeText;
};

TEST(Code11, CheckCharactersInCodeText) {
    const std::vector<TextCase> cases = {
        {"123-45", true, "123-455"},
        {"123-45", false, ""},
        {"-", true, "--"},                       // C = 10 shows as "-"
        {"1234567890", true, "12345678901"},     // 10 characters: C only
        {"12345678901", true, "123456789014-"},  // 11 characters: C and K
        {"", true, "0"},
    };
    for (const auto& c : cases) {
        Harness h;
        h.props.Code = c.data;
        h.props.checkCharacter = c.check;
        h.run(encodeCode11);
        EXPECT_EQ(h.props.codeText, c.codeText) << c.data;
        // Start 6, 6 per character (check characters included), stop 5.
        const std::size_t shown = c.codeText.empty() ? c.data.size() : c.codeText.size();
        EXPECT_EQ(h.sink.elements.size(), 11 + 6 * shown) << c.data;
    }
}

// zint draws Code 11 with the same 2:1 ratio (N = 2) and start/stop. It adds C and K to every
// symbol; this system adds K only beyond 10 characters, so shorter data asks zint for C alone
// (--vers=1).
TEST(Code11, CrossCheckWithZint) {
    for (const std::string data :
         {"0", "123-45", "-", "1234567890", "12345678901", "9-8-7-6-5-4-3-2-1", "555555555555"}) {
        Harness h;
        h.props.Code = data;
        h.run(encodeCode11);
        const auto z =
            test::zintModules((data.size() > 10 ? "-b 1 -d " : "-b 1 --vers=1 -d ") + data);
        ASSERT_TRUE(z.has_value());
        EXPECT_EQ(h.sink.modules(), z->front()) << data;
    }
}

TEST(Codabar, CheckValueAndCodeText) {
    Harness h;
    h.props.Code = "1234";
    h.run(encodeCodabar);
    EXPECT_EQ(h.props.codeText, "12345");
    // A, 1, 2, 3, 4, check 5, each with a narrow space, then B.
    EXPECT_EQ(h.sink.runs(),
              "11221211"
              "11112211"
              "11121121"
              "22111111"
              "11211211"
              "21111211"
              "1212112");
    EXPECT_TRUE(h.notes.empty());
}

// A to D exist only as start and stop: inside the data they are left out with a note, so data
// written with its own start and stop gives the intended symbol.
TEST(Codabar, StartStopLettersInDataAreLeftOut) {
    Harness plain, own;
    plain.props.Code = "1234";
    own.props.Code = "A1234B";
    plain.run(encodeCodabar);
    own.run(encodeCodabar);
    EXPECT_EQ(own.sink.runs(), plain.sink.runs());
    ASSERT_EQ(own.notes.size(), 1u);
    EXPECT_NE(own.notes[0].text.find("left out 2 characters: 'A' at 0, 'B' at 5"),
              std::string::npos);
}

TEST(Codabar, StartAndStopProperties) {
    struct Case {
        std::string start, stop;
        std::size_t elements;  // 8 per start and data character, 7 for the stop
        std::size_t notes;
    };
    for (const Case& c : std::vector<Case>{{"A", "B", 8 + 8 + 7, 0},
                                           {"", "B", 8 + 7, 1},
                                           {"AB", "B", 8 + 7, 1},
                                           {"A", "\xff", 8 + 8, 1},
                                           {"", "", 8, 2},
                                           {"0", "D", 8 + 8 + 7, 0}}) {
        Harness h;
        h.props.Code = "7";
        h.props.checkCharacter = false;
        h.props.CODABARStartChar = c.start;
        h.props.CODABARStopChar = c.stop;
        h.run(encodeCodabar);
        EXPECT_EQ(h.sink.elements.size(), c.elements) << c.start << "/" << c.stop;
        EXPECT_EQ(h.notes.size(), c.notes) << c.start << "/" << c.stop;
        for (const Note& n : h.notes) EXPECT_EQ(n.severity, Note::Severity::Error);
    }
}

// Digit sum of twice the number of the odd-position digits, plus the even-position digits: the
// textbook form of the MSI rule, done in decimal text so it holds for any length.
char msiByDoubling(const std::string& digits) {
    std::string odd, evenSum;
    int sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t fromRight = digits.size() - i;
        if (fromRight % 2 == 1)
            odd += digits[i];
        else
            sum += digits[i] - '0';
    }
    int carry = 0;
    for (auto it = odd.rbegin(); it != odd.rend(); ++it) {
        const int d = (*it - '0') * 2 + carry;
        sum += d % 10;
        carry = d / 10;
    }
    sum += carry;
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

TEST(Msi, CheckDigitOfAnyLength) {
    EXPECT_EQ(msiCheckDigit("1234567"), '4');
    for (const std::string data :
         {"1234567", "0", "", "9999999999999999999999999", "1234567890123456789012345", "80523"}) {
        EXPECT_EQ(msiCheckDigit(data), msiByDoubling(data)) << data;
    }
    Harness h;
    h.props.Code = "1234567";
    h.run(encodeMSI);
    EXPECT_EQ(h.props.codeText, "12345674");
}

// zint draws MSI with the same 2:1 ratio (N = 2), start and stop; --vers=1 asks for the
// modulo-10 check digit.
TEST(Msi, CrossCheckWithZint) {
    for (const std::string data : {"0", "1234567", "80523", "1234567890123456789012345"}) {
        for (const bool check : {true, false}) {
            Harness h;
            h.props.Code = data;
            h.props.checkCharacter = check;
            h.run(encodeMSI);
            const auto z = test::zintModules(std::string("-b 47 ") + (check ? "--vers=1 " : "") +
                                             "-d " + data);
            ASSERT_TRUE(z.has_value());
            EXPECT_EQ(h.sink.modules(), z->front()) << data;
        }
    }
}

TEST(Msi, NonDigitsLeftOutOfSymbolAndSum) {
    Harness h;
    h.props.Code = "12a34";
    h.run(encodeMSI);
    EXPECT_EQ(h.props.codeText, std::string("12a34") + msiCheckDigit("1234"));
    EXPECT_EQ(h.sink.elements.size(), 2 + 8 * 5 + 3u);
    EXPECT_EQ(h.notes.size(), 1u);
}

}  // namespace
}  // namespace qv::barcode1d
