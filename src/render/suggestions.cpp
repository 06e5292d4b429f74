// "Did you mean ...?" for names people mistype.
#include <algorithm>
#include <vector>

#include "quorvantix/host.h"

namespace qv {
namespace {

// Letters and digits only, lower case: "EAN-13" and "ean13" are the same name.
std::string folded(std::string_view s) {
    std::string out;
    for (const char c : s) {
        if (c >= 'A' && c <= 'Z')
            out.push_back(static_cast<char>(c - 'A' + 'a'));
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            out.push_back(c);
    }
    return out;
}

// Edits (insert, delete, replace, swap two neighbours) from a to b.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

bool sameFoldedName(std::string_view a, std::string_view b) {
    return folded(a) == folded(b);
}

std::string didYouMean(std::string_view typed, std::span<const std::string_view> names) {
    const std::string t = folded(typed.substr(0, 64));
    if (t.empty()) return {};
    std::string_view best;
    std::size_t bestDistance = std::max<std::size_t>(1, t.size() / 3) + 1;
    for (const auto name : names) {
        const std::string n = folded(name);
        // A mistyped beginning of a longer name counts too ("BarHieght": BarHeightPixels).
        const std::size_t whole = editDistance(t, n);
        const std::size_t start =
            n.size() > t.size() ? editDistance(t, n.substr(0, t.size())) + 1 : whole;
        const std::size_t distance = std::min(whole, start);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = name;
        }
    }
    return best.empty() ? std::string() : "; did you mean " + std::string(best) + "?";
}

}  // namespace qv
