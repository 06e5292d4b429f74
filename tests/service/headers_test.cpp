#include "headers.h"

#include <gtest/gtest.h>

#include "access_log.h"
#include "json.h"

namespace qv::service {
namespace {

using Severity = Note::Severity;

TEST(Headers, NotesAreOnePrintableLineThatSplitsBack) {
    const struct {
        std::vector<Note> notes;
        std::string header;
    } cases[] = {
        {{}, ""},
        {{{Severity::Warning, "padded with \"0\""}}, "warning: padded with \"0\""},
        {{{Severity::Warning, "a"}, {Severity::Error, "b"}}, "warning: a; error: b"},
        {{{Severity::Warning, "x;y%z"}}, "warning: x%3By%25z"},
        {{{Severity::Error, "line\r\nInjected: 1"}}, "error: line%0D%0AInjected: 1"},
        {{{Severity::Warning, "\xE9\x7F"}}, "warning: %E9%7F"},
    };
    for (const auto& c : cases) EXPECT_EQ(notesHeader(c.notes), c.header);
}

TEST(Headers, EntityTagsFollowBytesAndNotes) {
    const std::vector<std::uint8_t> a{1, 2, 3}, b{1, 2, 4};
    EXPECT_EQ(entityTag(a, ""), entityTag(a, ""));
    EXPECT_NE(entityTag(a, ""), entityTag(b, ""));
    EXPECT_NE(entityTag(a, ""), entityTag(a, "warning: x"));
    EXPECT_EQ(entityTag(a, "").front(), '"');
    EXPECT_EQ(entityTag(a, "").back(), '"');
}

TEST(Headers, IfNoneMatchListsAndWeakTags) {
    const std::string tag = "\"abc\"";
    const struct {
        std::string_view header;
        bool matches;
    } cases[] = {
        {"", false},         {"\"abc\"", true},        {"W/\"abc\"", true},
        {"*", true},         {"\"x\", \"abc\"", true}, {" \"x\" ,\t\"abc\" ", true},
        {"\"abcd\"", false}, {"abc", false},           {"\"x\",\"y\"", false},
        {",,,", false},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesEntityTag(c.header, tag), c.matches) << c.header;
}

TEST(Headers, JsonStringsAreAsciiWithLatin1Escapes) {
    const struct {
        std::string_view text;
        std::string_view json;
    } cases[] = {
        {"", "\"\""},
        {"plain", "\"plain\""},
        {"q\"b\\", "\"q\\\"b\\\\\""},
        {std::string_view("\0\n\x1F", 3), "\"\\u0000\\u000a\\u001f\""},
        {"\xE9\xFF", "\"\\u00e9\\u00ff\""},
    };
    for (const auto& c : cases) EXPECT_EQ(jsonString(c.text), c.json);
}

TEST(AccessLog, OneLineWhateverThePath) {
    const auto when =
        std::chrono::system_clock::time_point(std::chrono::milliseconds(1'700'000'000'123));
    EXPECT_EQ(accessLogLine(when, "GET", "/v1/a.png", 200, 12, std::chrono::microseconds(34)),
              "2023-11-14T22:13:20.123Z GET /v1/a.png 200 12 34us\n");
    EXPECT_EQ(accessLogLine(when, "", "", 414, 0, std::nullopt),
              "2023-11-14T22:13:20.123Z - - 414 0 -\n");
    const std::string line =
        accessLogLine(when, "GET", "/a b\n\x01%" + std::string(5000, 'x'), 404, 0, std::nullopt);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_NE(line.find("/a%20b%0A%01%25x"), std::string::npos);
    EXPECT_LT(line.size(), 700U);
}

}  // namespace
}  // namespace qv::service
