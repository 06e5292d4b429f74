// Element strings refused with the message that names the AI, the position and the fault, and
// valid ones accepted.
#include <gtest/gtest.h>

#include "quorvantix/gs1.h"

namespace qv::gs1 {
namespace {

// Valid keys used as partners: a GTIN, an SSCC, a GLN, a GSRN, each with its check digit.
#define GTIN "09501101530003"
#define SSCC "009501101530000014"
#define GLN "9501101530003"
#define GSRN "123456789012345675"

std::vector<std::string> errorsOf(std::string_view text) {
    const Parsed p = parseElementStrings(text);
    if (!p.ok()) return {p.error};
    return checkElements(p.elements).errors;
}

TEST(Gs1Check, ValidMessages) {
    const char* valid[] = {
        "(01)" GTIN "(17)250101(10)ABC123",
        "[01]" GTIN "[17]250101[10]ABC123",
        "(01)" GTIN "(10)A\\(B)C",                 // an escaped parenthesis in data
        "(01)" GTIN "(17)250100",                  // day 00: the end of the month
        "(01)" GTIN "(7006)240229",                // a leap day
        "(01)" GTIN "(8008)25010112",              // optional minutes and seconds left out
        "(01)" GTIN "(8008)2501011259",            //
        "(01)" GTIN "(8008)250101125959",          //
        "(00)" SSCC "(4330)001234",                // an optional hyphen left out
        "(00)" SSCC "(4330)001234-",               //
        "(00)" SSCC "(4307)DE(4321)1",             //
        "(00)" SSCC "(4309)18000000000000000000",  // 90 degrees north, 180 degrees west
        "(8018)" GSRN "(7250)20000229",            // a leap year divisible by 400
        "(8018)" GSRN "(8030)ab-_12==",            // CSET 64 with padding
        "(415)" GLN "(8020)INV-1(8007)GB82WEST12345698765432",
        "(01)" GTIN "(8014)1987654Ad4X4bL5ttr2310c2K",
        "(8006)" GTIN "0102(10)LOT",             // piece 1 of 2
        "(01)" GTIN "(3103)000500(3103)000500",  // the same AI with the same data again
        "(01)" GTIN "(422)276(423)276826",
        "(01)" GTIN "(7030)999ABC",
        "(8010)ABC-/#123(8011)0",
        "(8018)" GSRN "(7259)BABY(7258)1/2",
        "(90)free:\\(A)\\(B)1%",
    };
    for (const char* text : valid) {
        EXPECT_EQ(errorsOf(text), std::vector<std::string>{}) << text;
    }
}

TEST(Gs1Check, RefusedWithItsMessage) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        // Parsing.
        {"0109501101530003",
         "GS1 data at position 1: element strings start with an AI in parentheses or brackets, "
         "not '0'"},
        {"", "GS1 data at position 1: no element strings"},
        {"(01" GTIN, "GS1 data at position 1: AI not closed with )"},
        {"(01)" GTIN "(10)", "GS1 data at position 19: AI (10) has no data"},
        {"(1)2", "GS1 data at position 1: (1) is not an AI of 2 to 4 digits"},
        {"(01)" GTIN "(1A)2", "GS1 data at position 19: (1A) is not an AI of 2 to 4 digits"},
        // Known AIs, lengths and character sets.
        {"(01)" GTIN "(05)12", "AI (05) at position 19: unknown AI"},
        {"(01)0950110153000", "AI (01) at position 5: 13 characters, should be 14"},
        {"(01)" GTIN "(10)ABCDEFGHIJKLMNOPQRSTU",
         "AI (10) at position 23: 21 characters, should be 1 to 20"},
        {"(01)" GTIN "(8008)250101123",
         "AI (8008) at position 33: part 3 has 1 character, should have 2"},
        {"(01)09501A01530003", "AI (01) at position 10: 'A' is not a digit"},
        {"(01)" GTIN "(10)AB CD", "AI (10) at position 25: space is not in CSET 82"},
        {"(01)" GTIN "(10)AB\x1D", "AI (10) at position 25: byte 0x1D is not in CSET 82"},
        {"(8010)AB-c", "AI (8010) at position 10: 'c' is not in CSET 39"},
        {"(8018)" GSRN "(8030)ab*c", "AI (8030) at position 33: '*' is not in CSET 64"},
        {"(8018)" GSRN "(8030)a===", "AI (8030) at position 34: '=' is not in CSET 64"},
        // Linters, one each.
        {"(01)09501101530004", "AI (01) at position 18: check digit is 4, should be 3"},
        {"(01)" GTIN "(8014)1987654Ad4X4bL5ttr2310c2X",
         "AI (8014) at position 48: check characters are 2X, should be 2K"},
        {"(01)" GTIN "(17)251301", "AI (17) at position 25: month 13 is not 01 to 12"},
        {"(01)" GTIN "(7006)250229",
         "AI (7006) at position 29: day 29 is not 01 to 28 in month 02"},
        {"(01)" GTIN "(7006)250100",
         "AI (7006) at position 29: day 00 is not 01 to 31 in month 01"},
        {"(8018)" GSRN "(7250)19000229",
         "AI (7250) at position 37: day 29 is not 01 to 28 in month 02"},
        {"(01)" GTIN "(8008)25010124", "AI (8008) at position 31: hour 24 is not 00 to 23"},
        {"(01)" GTIN "(8008)2501011260", "AI (8008) at position 33: minute 60 is not 00 to 59"},
        {"(01)" GTIN "(8008)250101125960", "AI (8008) at position 35: second 60 is not 00 to 59"},
        {"(01)" GTIN "(7003)2501012360", "AI (7003) at position 33: minute 60 is not 00 to 59"},
        {"(01)" GTIN "(8001)00000123404511", "AI (8001) at position 25: 0000 is zero, must not be"},
        {"(01)" GTIN "(8001)12340123404551",
         "AI (8001) at position 37: 5 is not a winding direction (0, 1 or 9)"},
        {"(8003)1" GLN, "AI (8003) at position 7: 1 must be 0"},
        {"(8010)ABC(8011)0123", "AI (8011) at position 16: 0123 starts with 0, must not"},
        {"(00)" SSCC "(4321)2", "AI (4321) at position 29: 2 is not 0 (no) or 1 (yes)"},
        {"(8006)" GTIN "0302", "AI (8006) at position 21: piece 03 is beyond the total 02"},
        {"(8006)" GTIN "0100", "AI (8006) at position 23: total 00 must not be zero"},
        {"(01)" GTIN "(8014)950110199999822",
         "AI (8014) at position 25: 950110199999822 has only digits, needs a non-digit"},
        {"(01)" GTIN "(422)999", "AI (422) at position 24: 999 is not an ISO 3166 country code"},
        {"(01)" GTIN "(423)276000", "AI (423) at position 27: 000 is not an ISO 3166 country code"},
        {"(01)" GTIN "(7030)000ABC",
         "AI (7030) at position 25: 000 is not an ISO 3166 country code nor 999"},
        {"(00)" SSCC "(4307)UK",
         "AI (4307) at position 29: UK is not an ISO 3166 alpha-2 country code"},
        {"(415)" GLN "(8020)1(8007)GB83WEST12345698765432",
         "AI (8007) at position 34: IBAN check digits 83 do not match"},
        {"(8018)" GSRN "(7252)3",
         "AI (7252) at position 31: 3 is not an ISO 5218 sex code (0, 1, 2 or 9)"},
        {"(00)" SSCC "(4330)001234X", "AI (4330) at position 35: X is not a hyphen"},
        {"(00)" SSCC "(4300)A%2",
         "AI (4300) at position 30: % is not followed by two hexadecimal digits"},
        {"(00)" SSCC "(4309)18000000010000000000",
         "AI (4309) at position 29: latitude 1800000001 is above 1800000000"},
        {"(00)" SSCC "(4309)00000000003600000000",
         "AI (4309) at position 39: longitude 3600000000 is above 3599999999"},
        {"(8018)" GSRN "(7259)B(7258)3/2",
         "AI (7258) at position 38: 3/2: the position is beyond the total"},
        // Partners.
        {"(10)ABC123",
         "AI (10) at position 1: needs (01) or (02) or (03) or (8006) or (8026) in the same "
         "message"},
        {"(01)" GTIN "(250)X",
         "AI (250) at position 19: needs (01) with (21) or (03) with (21) or (8006) with (21) in "
         "the same message"},
        {"(01)" GTIN "(03)" GTIN, "AI (03) at position 19: may not appear with (01) at position 1"},
        {"(01)" GTIN "(3103)000500(3102)001000",
         "AI (3102) at position 31: may not appear with (3103) at position 19"},
        {"(01)" GTIN "(10)A(10)B",
         "AI (10) at position 24: repeats the AI at position 19 with other data"},
    };
    for (const Case& c : cases) {
        const auto errors = errorsOf(c.text);
        ASSERT_FALSE(errors.empty()) << c.text;
        EXPECT_EQ(errors.front(), c.message) << c.text;
    }
}

TEST(Gs1Check, EveryFaultIsReported) {
    // A wrong check digit, an unknown AI and a missing partner: all three, in order.
    EXPECT_EQ(errorsOf("(01)09501101530004(05)1(21)X"),
              (std::vector<std::string>{"AI (01) at position 18: check digit is 4, should be 3",
                                        "AI (05) at position 19: unknown AI"}));
    EXPECT_EQ(errorsOf("(21)X(05)1"),
              (std::vector<std::string>{
                  "AI (05) at position 6: unknown AI",
                  "AI (21) at position 1: needs (01) or (03) or (8006) in the same message"}));
}

TEST(Gs1Check, UnimplementedLintersAreSkippedNotPassed) {
    const Parsed p = parseElementStrings("(01)" GTIN "(3910)97812345");
    ASSERT_TRUE(p.ok());
    const CheckReport r = checkElements(p.elements);
    EXPECT_EQ(
        r.errors,
        (std::vector<std::string>{"AI (3910) at position 19: needs (8020) in the same message"}));
    EXPECT_EQ(r.skipped, (std::vector<std::string>{"AI (01) at position 5: gcppos2",
                                                   "AI (3910) at position 25: iso4217"}));
    for (const std::string_view name : implementedLinters()) EXPECT_NE(name, "gcppos2");
}

}  // namespace
}  // namespace qv::gs1
