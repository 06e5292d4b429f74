// From the control's properties to the 144 protected codewords of one symbol.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "maxicode/message.h"
#include "maxicode/postal.h"

namespace qv::maxicode {

struct MessageInput {
    std::string_view data;
    std::int32_t mode = 4;
    PostalFields postal;  // an empty postal code in modes 2 and 3 asks for a split of the data
    std::int32_t numberOfCodes = 1;
    std::int32_t positionOfCode = 1;
    bool processTilde = true;
};

struct SymbolCodewords {
    Codewords codewords{};        // 0..9 primary data, 10..19 primary check, 20..143 secondary
    std::int32_t mode = 4;        // the mode property after the paint (2 may become 3)
    PostalFields postal;          // the postal fields after the paint
    bool postalFromData = false;  // the postal fields were split out of the data
    std::vector<std::string> notes;
};

// Modes of 64 and above do not fit the six-bit mode codeword and are coded as mode 4.
SymbolCodewords assembleSymbol(const MessageInput& input);

}  // namespace qv::maxicode
