// The automatic encodation: ASCII, C40, Text and Base 256 runs chosen by a look-ahead.
#pragma once

#include <cstddef>

#include "datamatrix/encodation.h"

namespace qv::datamatrix {

// The mode in which to go on at position `start` when the encoder is in `current`
// (ASCII, C40, Text or Base 256): a cost count over the characters ahead.
Mode lookAheadMode(const MarkedText& t, std::size_t start, Mode current);

Encoded encodeAutomatic(const MarkedText& t);

}  // namespace qv::datamatrix
