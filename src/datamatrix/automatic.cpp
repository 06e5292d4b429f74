#include "datamatrix/automatic.h"

#include <array>

#include "datamatrix/ascii.h"
#include "datamatrix/base256.h"
#include "datamatrix/c40_text.h"

namespace qv::datamatrix {
namespace {

// Rounds to the nearest integer, halves to even, as the default floating-point rounding mode
// does: adding 2^52 leaves no fraction bits, so the sum rounds. Costs stay far below 2^52 and
// never go negative; the sum avoids a library call in the look-ahead's inner loop.
double roundEven(double v) {
    constexpr double kNoFraction = 4503599627370496.0;  // 2^52
    return (v + kNoFraction) - kNoFraction;
}

// The look-ahead's cost of a character in C40 (set 0) and Text (set 1).
constexpr std::array<std::array<double, 256>, 2> kC40Costs = [] {
    std::array<std::array<double, 256>, 2> costs{};
    for (std::size_t set = 0; set < 2; ++set)
        for (std::size_t c = 0; c < 256; ++c)
            costs[set][c] = c40Values(static_cast<std::uint8_t>(c), set == 1).count == 1 ? 0.66
                            : c >= 128                                                   ? 2.66
                                                                                         : 1.33;
    return costs;
}();

bool inC40Family(Mode m) {
    return m == Mode::C40 || m == Mode::Text;
}

// After a C40 or Text run the decoder needs the unlatch before anything else; after a Base 256
// field it is back in ASCII already, and an unlatch there would be an invalid codeword.
void unlatchFrom(Mode previous, std::vector<std::int32_t>& out) {
    if (inC40Family(previous)) out.push_back(cw::Unlatch);
}

}  // namespace

Mode lookAheadMode(const MarkedText& t, std::size_t start, Mode current) {
    double ascii = 0, c40 = 1, text = 1, b256 = 1.25;
    if (current != Mode::Ascii) {
        ascii = 1, c40 = 2, text = 2, b256 = 2.25;
        if (current == Mode::C40) c40 = 0;
        if (current == Mode::Text) text = 0;
        if (current == Mode::Base256) b256 = 0;
    }
    std::size_t counted = 0;
    for (std::size_t i = start; i < t.size(); ++i) {
        const std::uint8_t c = t.at(i);
        if (isDigit(c))
            ascii += 0.5;
        else
            ascii = roundEven(ascii) + (c < 128 ? 1 : 2);
        c40 += kC40Costs[0][c];
        text += kC40Costs[1][c];
        b256 += 1;
        if (t.marked(i)) return Mode::Ascii;
        if (++counted < 5) continue;
        if (ascii + 1 <= c40 && ascii + 1 <= text && ascii + 1 <= b256) return Mode::Ascii;
        if (b256 + 1 <= ascii || (b256 + 1 < text && b256 + 1 < c40)) return Mode::Base256;
        if (text + 1 < ascii && text + 1 < c40 && text + 1 < b256) return Mode::Text;
        if (c40 + 1 < ascii && c40 + 1 < text && c40 + 1 < b256) return Mode::C40;
    }
    ascii = roundEven(ascii), c40 = roundEven(c40), text = roundEven(text), b256 = roundEven(b256);
    if (ascii <= c40 && ascii <= text && ascii <= b256) return Mode::Ascii;
    if (text < ascii && text < c40 && text < b256) return Mode::Text;
    if (b256 < ascii && b256 < c40 && b256 < text) return Mode::Base256;
    return Mode::C40;
}

Encoded encodeAutomatic(const MarkedText& t) {
    Encoded e;
    auto& out = e.codewords;
    Mode m = Mode::Ascii;
    Mode previous = Mode::Ascii;
    std::size_t f = 0;
    const std::size_t n = t.size();
    while (f < n) {
        while (m == Mode::Ascii && f < n) {
            if (n - f >= 2 && (isDigit(t.at(f)) || isDigit(t.at(f + 1)))) {
                unlatchFrom(previous, out);
                if (isDigit(t.at(f)) && isDigit(t.at(f + 1))) {
                    appendAsciiAt(t, f, out);
                } else {
                    appendAsciiOne(t, f, out);
                    appendAsciiOne(t, f + 1, out);
                }
                f += 2;
                previous = Mode::Ascii;
                continue;
            }
            const Mode next = lookAheadMode(t, f, Mode::Ascii);
            if (next != Mode::Ascii) {
                // Leaving C40/Text for another latch needs the unlatch first.
                unlatchFrom(previous, out);
                previous = Mode::Ascii;
                m = next;
                break;
            }
            unlatchFrom(previous, out);
            appendAsciiOne(t, f, out);
            ++f;
            previous = Mode::Ascii;
        }
        // Function characters stand only in ASCII; the look-ahead never starts a run at one.
        if (m != Mode::Ascii && f < n && t.marked(f)) {
            m = Mode::Ascii;
            continue;
        }
        while (inC40Family(m) && f < n) {
            const bool text = m == Mode::Text;
            if (previous != m) {
                unlatchFrom(previous, out);
                out.push_back(text ? cw::LatchText : cw::LatchC40);
            }
            const C40Progress p = packC40(t, f, text, true, out);
            f = p.next;
            e.leftOver = p.pending;
            previous = m;
            if (p.pending != 0) {
                // The text ends, or a function character follows, with values pending.
                closeC40(t, p, out);
                if (f < n) previous = Mode::Ascii;
            } else if (f == n) {
                out.push_back(cw::Unlatch);
            }
            m = lookAheadMode(t, f, previous);
        }
        if (m == Mode::Base256 && f < n) {
            unlatchFrom(previous, out);
            std::size_t end = f + 1;
            while (end < n && lookAheadMode(t, end, Mode::Base256) == Mode::Base256) ++end;
            appendBase256Field(t, f, end, out);
            f = end;
            previous = Mode::Base256;
            m = lookAheadMode(t, f, previous);
        }
    }
    e.finalMode = m;
    if (!inC40Family(m)) e.leftOver = 0;
    return e;
}

}  // namespace qv::datamatrix
