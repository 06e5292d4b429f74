// The MaxiCode secondary message: code sets A to E, shifts, latches and numeric compression.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::maxicode {

using Codewords = std::array<std::uint8_t, 144>;

// The low n bits (n <= 32) of the two's-complement value, most significant first, as "0"/"1".
std::string toBits(std::int32_t value, int n);
// Six "0"/"1" characters as 0..63: the first worth 32, the sixth 1; any other character counts 0.
std::int32_t bitsToValue(std::string_view bits);

struct EncodedMessage {
    Codewords codewords{};
    std::size_t consumed = 0;  // characters of the text that made it in
};

// Encodes text into at most `capacity` (<= 144) codewords, then the end codeword and pads up to
// 144. A character (or nine-digit group) whose codewords would not fit is left out with the rest
// of the text, so a digit group is never split.
EncodedMessage encodeMessage(std::string_view text, std::size_t capacity = 144);

}  // namespace qv::maxicode
