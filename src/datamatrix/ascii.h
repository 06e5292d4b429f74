// ASCII encodation: digit pairs, function characters, plain and upper-shifted characters.
#pragma once

#include <cstddef>

#include "datamatrix/encodation.h"

namespace qv::datamatrix {

// One character as ASCII codewords, without function meaning: code + 1, or the upper shift.
void appendAsciiPlain(std::uint8_t c, std::vector<std::int32_t>& out);

// The function character at i: its codeword, then the parameter bytes of structured append and
// ECI.
void appendFunction(const MarkedText& t, std::size_t i, std::vector<std::int32_t>& out);

// The character at i as ASCII codewords, a function character with its parameter bytes.
void appendAsciiOne(const MarkedText& t, std::size_t i, std::vector<std::int32_t>& out);

// The character at i, with the next one when both are digits; returns the count consumed.
std::size_t appendAsciiAt(const MarkedText& t, std::size_t i, std::vector<std::int32_t>& out);

Encoded encodeAscii(const MarkedText& t);

}  // namespace qv::datamatrix
