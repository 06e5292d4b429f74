// The 2 of 5 family as patterns, free of drawing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "barcode1d/bar_pattern.h"
#include "quorvantix/control.h"

namespace qv::barcode1d {

// Weighted check digit of the digits of text, 3 on the rightmost digit and every second one from
// it; non-digits take no place.
char twoOfFiveCheckDigit(std::string_view text);

LinearSymbol interleaved25(std::string_view data, bool check, std::vector<Note>& notes);
LinearSymbol industrial25(std::string_view data, bool check, std::vector<Note>& notes);
LinearSymbol matrix25(std::string_view data, std::vector<Note>& notes);

}  // namespace qv::barcode1d
