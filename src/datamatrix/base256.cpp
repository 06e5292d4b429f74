#include "datamatrix/base256.h"

#include "datamatrix/ascii.h"

namespace qv::datamatrix {
namespace {

void appendRandomised(std::int32_t value, std::vector<std::int32_t>& out) {
    out.push_back(randomize255(value, static_cast<std::int32_t>(out.size()) + 1));
}

}  // namespace

void appendBase256Field(const MarkedText& t, std::size_t from, std::size_t to,
                        std::vector<std::int32_t>& out) {
    out.push_back(cw::LatchBase256);
    const auto k = static_cast<std::int32_t>(to - from);
    if (k < 250) {
        appendRandomised(k, out);
    } else {
        appendRandomised(k / 250 + 249, out);
        appendRandomised(k % 250, out);
    }
    for (std::size_t i = from; i < to; ++i) appendRandomised(t.at(i), out);
}

Encoded encodeBase256(const MarkedText& t) {
    Encoded e;
    e.finalMode = Mode::Base256;
    for (std::size_t i = 0; i < t.size();) {
        if (t.marked(i)) {
            appendAsciiOne(t, i, e.codewords);
            ++i;
            e.finalMode = Mode::Ascii;
            continue;
        }
        std::size_t end = i;
        while (end < t.size() && !t.marked(end)) ++end;
        appendBase256Field(t, i, end, e.codewords);
        e.finalMode = Mode::Base256;
        i = end;
    }
    return e;
}

}  // namespace qv::datamatrix
