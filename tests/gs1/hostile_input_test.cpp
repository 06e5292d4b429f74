// Whatever the text, parsing, checking and translating end, without fault, in bounded time.
#include <gtest/gtest.h>

#include <random>

#include "core/text_conversions.h"
#include "datamatrix/escapes.h"
#include "quorvantix/gs1.h"

namespace qv::gs1 {
namespace {

void runAll(std::string_view text) {
    const Parsed p = parseElementStrings(text);
    if (!p.ok()) return;
    const CheckReport r = checkElements(p.elements);
    for (const auto& e : r.errors) EXPECT_FALSE(e.empty());
    // Whatever the data holds, the controls' escapes give back exactly the fields: only FNC1
    // (202) comes between them in linear data; FNC1 (232, marked) first and only GS (29) between
    // them in Data Matrix data.
    std::string fields;
    for (const Element& e : p.elements) fields += e.ai + e.data;
    std::string linear = core::expandTildes(ean128Data(p.elements));
    std::erase(linear, '\xCA');
    EXPECT_TRUE(linear == fields) << text.substr(0, 80);
    const auto matrix =
        datamatrix::expandEscapes(datamatrixData(p.elements, Separator::GroupSeparator)).data;
    ASSERT_TRUE(matrix.size() > 0 && matrix.at(0) == 232 && matrix.marked(0));
    std::string rest = matrix.text.substr(1);
    std::erase(rest, '\x1D');
    std::erase(fields, '\x1D');
    // The escapes stop where no Data Matrix symbol could hold more.
    if (fields.size() < datamatrix::kMaxData) {
        EXPECT_TRUE(rest == fields) << text.substr(0, 80);
    }
    EXPECT_FALSE(humanReadable(p.elements).empty());
}

TEST(Gs1HostileInput, RandomTexts) {
    constexpr std::string_view kAlphabet = "()[]\\0123456789AZaz~%=/-\x1D\x80\xFF";
    std::mt19937 rng(18);
    std::uniform_int_distribution<std::size_t> len(0, 60), pick(0, kAlphabet.size() - 1);
    for (int i = 0; i < 20000; ++i) {
        std::string s(len(rng), ' ');
        for (char& c : s) c = kAlphabet[pick(rng)];
        if (i % 2 == 0 && !s.empty()) s[0] = '(';
        runAll(s);
    }
}

TEST(Gs1HostileInput, LongTexts) {
    // As many elements as fit, each requiring and excluding partners.
    std::string many;
    while (many.size() + 12 <= kMaxTextLength) many += "(3103)000001";
    runAll(many);
    std::string pairs;  // every one excludes every other
    for (int i = 0; pairs.size() + 12 <= kMaxTextLength; ++i)
        pairs += i % 2 ? "(3100)000001" : "(3101)000001";
    const Parsed p = parseElementStrings(pairs);
    const auto errors = checkElements(p.elements).errors;
    ASSERT_EQ(errors.size(), kMaxFaults + 1);
    EXPECT_EQ(errors.back().substr(0, 8), "... and ");
    std::string tooLong = many + "(10)ABCDEFGHIJKL";
    EXPECT_EQ(parseElementStrings(tooLong).error,
              "GS1 data at position 8193: longer than any symbol holds (8192 characters)");
    runAll("(10)" + std::string(kMaxTextLength - 4, 'A'));
    runAll("(" + std::string(kMaxTextLength - 1, '1'));
}

}  // namespace
}  // namespace qv::gs1
