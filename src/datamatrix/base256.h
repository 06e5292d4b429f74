// Base 256 encodation: a latch, a randomised length and the randomised bytes of a field.
#pragma once

#include <cstddef>

#include "datamatrix/encodation.h"

namespace qv::datamatrix {

// Writes the latch and the field of the characters from..to-1 (none of them a function
// character), length and bytes randomised by their position in `out`.
void appendBase256Field(const MarkedText& t, std::size_t from, std::size_t to,
                        std::vector<std::int32_t>& out);

// The whole text in Base 256 fields, leaving for ASCII at each function character.
Encoded encodeBase256(const MarkedText& t);

}  // namespace qv::datamatrix
