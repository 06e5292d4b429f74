#include "datamatrix/c40_text.h"

#include "datamatrix/ascii.h"

namespace qv::datamatrix {
namespace {

constexpr std::uint8_t kShift1 = 0, kShift2 = 1, kShift3 = 2, kUpperShift = 30;

constexpr C40Values basic(std::uint8_t c) {
    if (c == ' ') return {1, {3}};
    if (c >= '0' && c <= '9') return {1, {static_cast<std::uint8_t>(c - '0' + 4)}};
    if (c >= 'A' && c <= 'Z') return {1, {static_cast<std::uint8_t>(c - 'A' + 14)}};
    if (c < 32) return {2, {kShift1, c}};
    if (c >= 33 && c <= 47) return {2, {kShift2, static_cast<std::uint8_t>(c - 33)}};
    if (c >= 58 && c <= 64) return {2, {kShift2, static_cast<std::uint8_t>(c - 58 + 15)}};
    if (c >= 91 && c <= 95) return {2, {kShift2, static_cast<std::uint8_t>(c - 91 + 22)}};
    return {2, {kShift3, static_cast<std::uint8_t>(c - 96)}};  // 96 to 127
}

constexpr std::uint8_t swapCase(std::uint8_t c) {
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(c + 32);
    if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(c - 32);
    return c;
}

// Codes from 128 are the upper shift followed by the values of code - 128 in the same set, so
// Text keeps its case swap there too and "\xC1" reads back as "\xC1".
constexpr std::array<C40Values, 256> makeTable(bool text) {
    std::array<C40Values, 256> t{};
    for (std::size_t c = 0; c < 256; ++c) {
        const auto low = static_cast<std::uint8_t>(c & 0x7F);
        const C40Values b = basic(text ? swapCase(low) : low);
        if (c < 128) {
            t[c] = b;
            continue;
        }
        t[c].count = static_cast<std::uint8_t>(2 + b.count);
        t[c].v = {kShift2, kUpperShift, b.v[0], b.v[1]};
    }
    return t;
}

constexpr auto kC40 = makeTable(false);
constexpr auto kText = makeTable(true);

static_assert(kC40['A'].count == 1 && kC40['A'].v[0] == 14);
static_assert(kText['a'].count == 1 && kText['a'].v[0] == 14);
static_assert(kText[0xC1].count == 4 && kText[0xC1].v[2] == kShift3 && kText[0xC1].v[3] == 1);

void appendTriplet(std::int32_t a, std::int32_t b, std::int32_t c, std::vector<std::int32_t>& out) {
    const std::int32_t v = 1600 * a + 40 * b + c + 1;
    out.push_back(v / 256);
    out.push_back(v % 256);
}

}  // namespace

const C40Values& c40Values(std::uint8_t c, bool text) {
    return text ? kText[c] : kC40[c];
}

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
