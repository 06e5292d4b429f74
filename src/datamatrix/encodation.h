// Data Matrix data codewords: the processed text with its function marks, the codeword
// constants, and the result handed on to size choice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/datamatrix.h"

namespace qv::datamatrix {

// Text, marks and codewords are held to this many entries; longer data fits no symbol.
inline constexpr std::size_t kMaxData = 5000;

namespace cw {
inline constexpr std::int32_t Pad = 129;
inline constexpr std::int32_t LatchC40 = 230;
inline constexpr std::int32_t LatchBase256 = 231;
inline constexpr std::int32_t Fnc1 = 232;
inline constexpr std::int32_t StructuredAppend = 233;
inline constexpr std::int32_t ReaderProgramming = 234;
inline constexpr std::int32_t UpperShift = 235;
inline constexpr std::int32_t Macro05 = 236;
inline constexpr std::int32_t Macro06 = 237;
inline constexpr std::int32_t LatchText = 239;
inline constexpr std::int32_t Eci = 241;
inline constexpr std::int32_t Unlatch = 254;
}  // namespace cw

// The current mode of the encoder; the numbers of the first four match TEncoding.
enum class Mode : std::uint8_t { Ascii = 0, C40 = 1, Text = 2, Base256 = 3, None = 4 };

// The data after tilde processing. A non-empty mark makes its character a function character;
// for structured append and ECI it holds the parameter bytes.
struct MarkedText {
    std::string text;
    std::vector<std::string> marks;  // parallel to text, or empty when no character is marked

    std::size_t size() const { return text.size(); }
    std::uint8_t at(std::size_t i) const { return static_cast<std::uint8_t>(text[i]); }
    bool marked(std::size_t i) const { return i < marks.size() && !marks[i].empty(); }
};

struct Encoded {
    std::vector<std::int32_t> codewords;
    Mode finalMode = Mode::Ascii;
    std::int32_t leftOver = 0;  // C40/Text values pending at the end of the last C40/Text run
};

inline bool isDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}

// The 255-state randomiser of Base 256 fields; position is 1-based in the codeword list.
inline std::int32_t randomize255(std::int32_t value, std::int32_t position) {
    const std::int32_t r = value + (149 * position) % 255 + 1;
    return r > 255 ? r - 256 : r;
}

// Data codewords of the whole text in the given encodation.
Encoded encodeCodewords(const MarkedText& text, TEncoding encoding);

}  // namespace qv::datamatrix
