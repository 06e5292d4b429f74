#include "core/ascii_case.h"

#include <gtest/gtest.h>

namespace qv::core {
namespace {

TEST(AsciiCase, OnlyAsciiLettersFold) {
    const struct {
        std::string_view a, b;
        bool equal;
    } cases[] = {
        {"barType", "BARTYPE", true}, {"", "", true},    {"Code", "Cod", false},
        {"@[`{", "@[`{", true},       {"@", "`", false}, {"[", "{", false},
        {"\xC4", "\xE4", false},  // Latin-1 letters stay apart: no locale
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + std::string(c.b));
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal);
    }
}

}  // namespace
}  // namespace qv::core
