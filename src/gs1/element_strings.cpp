// Element strings as people write them: each AI in parentheses or brackets before its data.
#include <algorithm>

#include "gs1/describe.h"
#include "quorvantix/gs1.h"

namespace qv::gs1 {

Parsed parseElementStrings(std::string_view text) {
    Parsed out;
    auto fail = [&](std::size_t at, std::string why) {
        out.elements.clear();
        out.error = "GS1 data at position " + std::to_string(at + 1) + ": " + std::move(why);
        return out;
    };
    if (text.empty()) return fail(0, "no element strings");
    // Checking pairs of elements grows with the square of their number: stop where no symbol
    // could hold the data anyway.
    if (text.size() > kMaxTextLength)
        return fail(kMaxTextLength, "longer than any symbol holds (" +
                                        std::to_string(kMaxTextLength) + " characters)");
    const char open = text[0];
    if (open != '(' && open != '[')
        return fail(0, "element strings start with an AI in parentheses or brackets, not " +
                           describeChar(open));
    const char close = open == '(' ? ')' : ']';
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        const std::size_t end = text.find(close, i + 1);
        if (end == std::string_view::npos)
            return fail(start, std::string("AI not closed with ") + close);
        const std::string_view ai = text.substr(i + 1, end - i - 1);
        if (ai.size() < 2 || ai.size() > 4 ||
            !std::all_of(ai.begin(), ai.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return fail(start, std::string(1, open) + describeText(ai) + close +
                                   " is not an AI of 2 to 4 digits");
        Element e{std::string(ai), {}, start + 1, end + 2};
        i = end + 1;
        while (i < text.size() && text[i] != open) {
            if (text[i] == '\\' && i + 1 < text.size() &&
                (text[i + 1] == open || text[i + 1] == '('))
                ++i;
            e.data += text[i++];
        }
        if (e.data.empty()) return fail(start, "AI (" + e.ai + ") has no data");
        out.elements.push_back(std::move(e));
    }
    return out;
}

}  // namespace qv::gs1
