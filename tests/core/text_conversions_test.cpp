#include "core/text_conversions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace qv::core {
namespace {

TEST(TextConversions, ExpandTildes) {
    const std::pair<std::string, std::string> cases[] = {
        {"A~065B", "AAB"},
        {"~202123",
         "\xca"
         "123"},
        {"12~34", "1234"},  // too short for a code: the tilde goes
        {"~999", "\xff"},
        {"~~7", "~7"},
        {"~", ""},
        {"ab~", "ab"},
        {"~abc", std::string(1, '\0')},  // no digits: code 0
        {"~x41", "A"},                   // textToInt reads hexadecimal
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(expandTildes(in), out);
    }
}

TEST(TextConversions, TextToInt) {
    const std::pair<std::string_view, std::int32_t> cases[] = {
        {"", 0},
        {"x", 0},
        {"7", 7},
        {"  -12x", -12},
        {"+8", 8},
        {"$1F", 31},
        {"0x1f", 31},
        {"X10", 16},
        {"12 3", 12},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(std::string(in));
        EXPECT_EQ(textToInt(in), out);
    }
}

TEST(TextConversions, NotesShowDataThatReadsBack) {
    const std::string data = std::string("a~\0\xff", 4) + "b";
    EXPECT_EQ(escapeForNote(data), "a~126~000~255b");
    EXPECT_EQ(expandTildes(escapeForNote(data)), data);
    EXPECT_EQ(escapeForNote(std::string(20, 'q'), 4), "qqqq...");
}

}  // namespace
}  // namespace qv::core
