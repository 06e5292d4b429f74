#include "gs1/associations.h"

#include "gs1/describe.h"
#include "gs1/dictionary.h"

namespace qv::gs1 {
namespace {

// Calls f on each piece of list between separators.
template <typename F>
void forEachPart(std::string_view list, char separator, F&& f) {
    while (!list.empty()) {
        const auto cut = list.find(separator);
        f(list.substr(0, cut));
        if (cut == std::string_view::npos) break;
        list.remove_prefix(cut + 1);
    }
}

bool present(std::span<const Element> elements, std::string_view pattern) {
    for (const Element& e : elements)
        if (matchesPattern(e.ai, pattern)) return true;
    return false;
}

// "01+21,02" as people read it: "(01) with (21), or (02)".
std::string describeReq(std::string_view list) {
    std::string out;
    forEachPart(list, ',', [&](std::string_view group) {
        if (!out.empty()) out += " or ";
        std::string members;
        forEachPart(group, '+', [&](std::string_view ai) {
            if (!members.empty()) members += " with ";
            members.append("(").append(ai).append(")");
        });
        out += members;
    });
    return out;
}

}  // namespace

bool matchesPattern(std::string_view ai, std::string_view pattern) {
    if (ai.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < ai.size(); ++i)
        if (pattern[i] != ai[i] && !(pattern[i] == 'n' && ai[i] >= '0' && ai[i] <= '9'))
            return false;
    return true;
}

void checkAssociations(std::span<const Element> elements, CheckReport& report) {
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Element& e = elements[i];
        const AiEntry* entry = findAi(e.ai);
        if (!entry) continue;
        forEachPart(entry->req, ' ', [&](std::string_view list) {
            bool met = false;
            forEachPart(list, ',', [&](std::string_view group) {
                bool all = true;
                forEachPart(group, '+',
                            [&](std::string_view ai) { all = all && present(elements, ai); });
                met = met || all;
            });
            if (!met)
                report.errors.push_back(where(e.ai, e.position) + "needs " + describeReq(list) +
                                        " in the same message");
        });
        // Each forbidden pair once, at the later element, whichever side forbids it.
        for (std::size_t j = 0; j < i; ++j) {
            const Element& other = elements[j];
            if (other.ai == e.ai) continue;  // an AI is not exclusive of itself
            const AiEntry* otherEntry = findAi(other.ai);
            bool forbidden = false;
            forEachPart(entry->ex, ',', [&](std::string_view p) {
                forbidden = forbidden || matchesPattern(other.ai, p);
            });
            if (otherEntry)
                forEachPart(otherEntry->ex, ',', [&](std::string_view p) {
                    forbidden = forbidden || matchesPattern(e.ai, p);
                });
            if (forbidden)
                report.errors.push_back(where(e.ai, e.position) + "may not appear with (" +
                                        other.ai + ") at position " +
                                        std::to_string(other.position));
        }
    }
}

}  // namespace qv::gs1
