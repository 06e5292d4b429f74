#include "datamatrix/ascii.h"

namespace qv::datamatrix {

void appendAsciiPlain(std::uint8_t c, std::vector<std::int32_t>& out) {
    if (c < 128) {
        out.push_back(c + 1);
    } else {
        out.push_back(cw::UpperShift);
        out.push_back(c - 127);
    }
}

void appendFunction(const MarkedText& t, std::size_t i, std::vector<std::int32_t>& out) {
    const std::int32_t c = t.at(i);
    out.push_back(c);
    if (c == cw::StructuredAppend || c == cw::Eci)
        for (const char b : t.marks[i]) out.push_back(static_cast<std::uint8_t>(b));
}

void appendAsciiOne(const MarkedText& t, std::size_t i, std::vector<std::int32_t>& out) {
    if (t.marked(i))
        appendFunction(t, i, out);
    else
        appendAsciiPlain(t.at(i), out);
}

std::size_t appendAsciiAt(const MarkedText& t, std::size_t i, std::vector<std::int32_t>& out) {
    if (i + 1 < t.size() && isDigit(t.at(i)) && isDigit(t.at(i + 1))) {
        out.push_back(130 + 10 * (t.at(i) - '0') + (t.at(i + 1) - '0'));
        return 2;
    }
    appendAsciiOne(t, i, out);
    return 1;
}

Encoded encodeAscii(const MarkedText& t) {
    Encoded e;
    e.codewords.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) i += appendAsciiAt(t, i, e.codewords);
    return e;
}

}  // namespace qv::datamatrix
