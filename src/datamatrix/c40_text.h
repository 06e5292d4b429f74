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

// The C40 (text == false) or Text values of a character code.
const C40Values& c40Values(std::uint8_t c, bool text);

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
