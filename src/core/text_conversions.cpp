#include "core/text_conversions.h"

#include <algorithm>
#include <limits>

#include "core/int_clamp.h"

namespace qv::core {

std::int32_t textToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = std::min(value * base + digit, limit);
    }
    if (negative) value = -value;
    return clampToInt32(value);
}

std::string expandTildes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '~') {
            out += c;
            ++i;
        } else if (i + 1 >= text.size()) {
            ++i;  // a trailing tilde is dropped
        } else if (text[i + 1] == '~') {
            out += '~';
            i += 2;
        } else if (text.size() - i - 1 >= 3) {
            const std::int32_t v = std::min(textToInt(text.substr(i + 1, 3)), 255);
            out += static_cast<char>(static_cast<unsigned char>(v & 0xFF));
            i += 4;
        } else {
            ++i;  // too short for a code: drop the tilde, keep scanning
        }
    }
    return out;
}

std::string escapeForNote(std::string_view text, std::size_t maxChars) {
    std::string out;
    for (const char c : text.substr(0, maxChars)) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127 && c != '~') {
            out += c;
        } else {
            out += '~';
            out += static_cast<char>('0' + u / 100);
            out += static_cast<char>('0' + u / 10 % 10);
            out += static_cast<char>('0' + u % 10);
        }
    }
    if (text.size() > maxChars) out += "...";
    return out;
}

}  // namespace qv::core
