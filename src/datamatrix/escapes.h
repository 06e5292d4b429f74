// Tilde escapes of Data Matrix data: control characters, FNC1, structured append, reader
// programming, the 05/06 macros, ECI and decimal character codes.
#pragma once

#include <cstdint>
#include <string_view>

#include "datamatrix/encodation.h"

namespace qv::datamatrix {

struct Escaped {
    MarkedText data;
    std::int32_t dropped = 0;  // escapes not understood, whose "~" was left out
};

// Stops after kMaxData + 1 output characters: longer data fits no symbol anyway.
Escaped expandEscapes(std::string_view text);

// The text as it stands, without function characters.
MarkedText plainText(std::string_view text);

}  // namespace qv::datamatrix
