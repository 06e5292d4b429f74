// Linters at their boundaries, including those the dictionary does not use yet.
#include <gtest/gtest.h>

#include "gs1/linters.h"

namespace qv::gs1 {
namespace {

TEST(Gs1Linters, Boundaries) {
    struct Case {
        std::string_view linter, input;
        const char* fault;  // nullptr: accepted
    };
    const Case cases[] = {
        {"csum", "009501101530000014", nullptr},
        {"csum", "0", nullptr},  // a lone check digit of nothing
        {"csum", "95011015300030", "check digit is 0, should be 8"},
        {"yyyymmd0", "20250200", nullptr},
        {"yyyymmd0", "20251300", "month 13 is not 01 to 12"},
        {"yyyymmdd", "21000229", "day 29 is not 01 to 28 in month 02"},
        {"yyyymmdd", "20240229", nullptr},
        {"yymmdd", "001231", nullptr},
        {"yymmdd", "000229", nullptr},  // 2000
        {"yymmdd", "250431", "day 31 is not 01 to 30 in month 04"},
        {"yymmd0", "250000", "month 00 is not 01 to 12"},
        {"hh", "23", nullptr},
        {"mi", "59", nullptr},
        {"ss", "00", nullptr},
        {"hhmi", "2400", "hour 24 is not 00 to 23"},
        {"nozeroprefix", "0", nullptr},
        {"nonzero", "0001", nullptr},
        {"pieceoftotal", "0202", nullptr},
        {"pieceoftotal", "0002", "piece 00 must not be zero"},
        {"hasnondigit", "12-3", nullptr},
        {"iso3166999", "999", nullptr},
        {"iban", "GB82WEST12345698765432", nullptr},
        {"iban", "XX82WEST12345698765432", "XX is not an ISO 3166 country code"},
        {"iban", "GB82west12345698765432", "IBAN has 'w' where a digit or capital letter belongs"},
        {"pcenc", "A%2fB", nullptr},
        {"pcenc", "A%", "% is not followed by two hexadecimal digits"},
        {"posinseqslash", "1/1", nullptr},
        {"posinseqslash", "0/2", "0/2: position and total must start with 1 to 9"},
        {"csumalpha", "12345678901234567890123NT", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.linter) + " " + std::string(c.input));
        const Linter linter = findLinter(c.linter);
        ASSERT_NE(linter, nullptr);
        const auto fault = linter(c.input);
        EXPECT_EQ(fault ? fault->text : "", c.fault ? c.fault : "");
    }
}

TEST(Gs1Linters, UnknownNamesAreNotImplemented) {
    for (const std::string_view name : {"gcppos1", "gcppos2", "iso4217", "packagetype", "", "CSUM"})
        EXPECT_EQ(findLinter(name), nullptr) << name;
}

}  // namespace
}  // namespace qv::gs1
