#include "barcode1d/text_helpers.h"

#include <algorithm>
#include <limits>

namespace qv::barcode1d {

std::string intToText(std::int32_t value) {
    return std::to_string(value);
}

int findEntry(std::span<const PatternEntry> table, std::string_view key) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].key == key) return static_cast<int>(i);
    return -1;
}

int findString(std::span<const std::string_view> list, std::string_view s) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == s) return static_cast<int>(i);
    return -1;
}

std::string mod10CheckDigit(std::string_view digits) {
    int sum = 0;
    bool triple = true;  // the rightmost digit weighs 3
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, triple = !triple) {
        const int v = (*it >= '0' && *it <= '9') ? *it - '0' : 0;
        sum += triple ? 3 * v : v;
    }
    return std::string(1, static_cast<char>('0' + (10 - sum % 10) % 10));
}

std::string fixLength(std::string_view text, std::size_t n) {
    std::string out(text.substr(0, n));
    out.resize(n, '0');
    return out;
}

}  // namespace qv::barcode1d
