#include "datamatrix/c40_text.h"

#include "datamatrix/ascii.h"

namespace qv::datamatrix {
namespace {

void appendTriplet(std::int32_t a, std::int32_t b, std::int32_t c, std::vector<std::int32_t>& out) {
    const std::int32_t v = 1600 * a + 40 * b + c + 1;
    out.push_back(v / 256);
    out.push_back(v % 256);
}

}  // namespace

C40Progress packC40(const MarkedText& t, std::size_t from, bool text, bool oneStep,
                    std::vector<std::int32_t>& out) {
    C40Progress p;
    p.next = from;
    while (p.next < t.size() && !t.marked(p.next)) {
        const C40Values& cv = c40Values(t.at(p.next), text);
        ++p.next;
        for (std::size_t k = 0; k < cv.count; ++k) {
            if (p.pending == 2) {
                appendTriplet(p.values[0], p.values[1], cv.v[k], out);
                p.pending = 0;
            } else {
                p.values[static_cast<std::size_t>(p.pending++)] = cv.v[k];
            }
        }
        if (oneStep && p.pending == 0) break;
    }
    return p;
}

void closeC40(const MarkedText& t, const C40Progress& p, std::vector<std::int32_t>& out) {
    if (p.pending == 2) appendTriplet(p.values[0], p.values[1], 0, out);
    out.push_back(cw::Unlatch);
    if (p.pending == 1 && p.next > 0) appendAsciiPlain(t.at(p.next - 1), out);
}

Encoded encodeC40Text(const MarkedText& t, bool text) {
    Encoded e;
    e.finalMode = text ? Mode::Text : Mode::C40;
    for (std::size_t i = 0; i < t.size();) {
        if (t.marked(i)) {
            appendAsciiOne(t, i, e.codewords);
            ++i;
            e.finalMode = Mode::Ascii;
            e.leftOver = 0;
            continue;
        }
        e.codewords.push_back(text ? cw::LatchText : cw::LatchC40);
        const C40Progress p = packC40(t, i, text, false, e.codewords);
        closeC40(t, p, e.codewords);
        e.finalMode = text ? Mode::Text : Mode::C40;
        e.leftOver = p.pending;
        i = p.next;
    }
    return e;
}

}  // namespace qv::datamatrix
