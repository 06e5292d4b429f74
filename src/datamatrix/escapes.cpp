#include "datamatrix/escapes.h"

#include <algorithm>

namespace qv::datamatrix {
namespace {

// The value of the leading digits of `digits` (0 when there are none); the characters after
// the first non-digit are ignored, although the escape consumes them all the same.
std::int32_t leadingNumber(std::string_view digits) {
    std::int32_t v = 0;
    for (const char c : digits) {
        if (!isDigit(static_cast<std::uint8_t>(c))) break;
        v = v * 10 + (c - '0');
    }
    return v;
}

// Parameter bytes of an ECI number (0 to 999999).
std::string eciBytes(std::int32_t v) {
    std::string b;
    if (v <= 126) {
        b += static_cast<char>(v + 1);
    } else if (v <= 16382) {
        b += static_cast<char>((v - 127) / 254 + 128);
        b += static_cast<char>((v - 127) % 254 + 1);
    } else {
        b += static_cast<char>((v - 16383) / 64516 + 192);
        b += static_cast<char>(((v - 16383) / 254) % 254 + 1);
        b += static_cast<char>((v - 16383) % 254 + 1);
    }
    return b;
}

}  // namespace

MarkedText plainText(std::string_view text) {
    MarkedText t;
    t.text.assign(text);
    return t;
}

Escaped expandEscapes(std::string_view text) {
    Escaped out;
    auto& d = out.data;
    auto put = [&](char c, std::string mark = {}) {
        d.text += c;
        d.marks.push_back(std::move(mark));
    };
    std::size_t i = 0;
    // One character past the bound is enough to tell that the data is too long.
    while (i < text.size() && d.text.size() <= kMaxData) {
        const char ch = text[i];
        if (ch != '~') {
            put(ch);
            ++i;
            continue;
        }
        if (i + 1 == text.size()) {  // a final "~" stands for nothing
            ++out.dropped;
            break;
        }
        const char c = text[i + 1];
        const std::size_t following = text.size() - (i + 2);  // characters after c
        const std::size_t held = d.text.size();
        if (c >= 64 && c <= 90) {
            put(static_cast<char>(c - 64));
            i += 2;
        } else if (c == '~') {
            put('~');
            i += 2;
        } else if (c == '1') {
            // FNC1 in the leading positions marks GS1 or an application; later it separates fields.
            if (held == 0 || held == 1 || held == 4 || held == 5)
                put(static_cast<char>(cw::Fnc1), std::string(1, static_cast<char>(cw::Fnc1)));
            else
                put(29);
            i += 2;
        } else if (c == '2' && following >= 3) {
            put(static_cast<char>(cw::StructuredAppend), std::string(text.substr(i + 2, 3)));
            i += 5;
        } else if ((c == '3' || c == '5' || c == '6') && held == 0) {
            const char code = static_cast<char>(c == '3'   ? cw::ReaderProgramming
                                                : c == '5' ? cw::Macro05
                                                           : cw::Macro06);
            put(code, std::string(1, code));
            i += 2;
        } else if (c == '7' && following >= 6) {
            put(static_cast<char>(cw::Eci), eciBytes(leadingNumber(text.substr(i + 2, 6))));
            i += 8;
        } else if (c == 'd' && following >= 2) {
            const auto digits = text.substr(i + 2, std::min<std::size_t>(3, following));
            put(static_cast<char>(std::min(255, leadingNumber(digits))));
            i += 2 + digits.size();
        } else {
            ++out.dropped;  // the "~" goes; c is read again as an ordinary character
            ++i;
        }
    }
    return out;
}

}  // namespace qv::datamatrix
