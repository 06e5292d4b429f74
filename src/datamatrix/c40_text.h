// C40 and Text encodation: three values in two codewords, with the shifts of the C40 set.
#pragma once

#include <array>
#include <cstddef>

#include "datamatrix/encodation.h"

namespace qv::datamatrix {

struct C40Values {
    std::uint8_t count = 0;  // 1 to 4
    std::array<std::uint8_t, 4> v{};
};

// The value tables, worked out at compile time.
namespace c40_tables {

inline constexpr std::uint8_t kShift1 = 0, kShift2 = 1, kShift3 = 2, kUpperShift = 30;

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

inline constexpr auto kC40 = makeTable(false);
inline constexpr auto kText = makeTable(true);

static_assert(kC40['A'].count == 1 && kC40['A'].v[0] == 14);
static_assert(kText['a'].count == 1 && kText['a'].v[0] == 14);
static_assert(kText[0xC1].count == 4 && kText[0xC1].v[2] == kShift3 && kText[0xC1].v[3] == 1);

}  // namespace c40_tables

// The C40 (text == false) or Text values of a character code.
constexpr const C40Values& c40Values(std::uint8_t c, bool text) {
    return text ? c40_tables::kText[c] : c40_tables::kC40[c];
}

// Where packing stopped and the values not yet written (0 to 2 of them).
struct C40Progress {
    std::size_t next = 0;
    std::int32_t pending = 0;
    std::array<std::uint8_t, 2> values{};
};

// Packs the characters from `from` on into codeword pairs, up to the end or a function
// character (which C40 and Text cannot carry). With oneStep, stops after the first character
// that leaves no value pending.
C40Progress packC40(const MarkedText& t, std::size_t from, bool text, bool oneStep,
                    std::vector<std::int32_t>& out);

// Ends a run: completes two pending values with a 0 value, or writes the one character behind a
// single pending value in ASCII after the unlatch.
void closeC40(const MarkedText& t, const C40Progress& p, std::vector<std::int32_t>& out);

// The whole text in C40 or Text, leaving for ASCII around function characters.
Encoded encodeC40Text(const MarkedText& t, bool text);

}  // namespace qv::datamatrix
