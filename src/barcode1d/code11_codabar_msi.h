// Code 11, Codabar and MSI as patterns, free of drawing.
#pragma once

#include <string_view>
#include <vector>

#include "barcode1d/bar_pattern.h"
#include "quorvantix/control.h"

namespace qv::barcode1d {

LinearSymbol code11(std::string_view data, bool check, std::vector<Note>& notes);
LinearSymbol codabar(std::string_view data, std::string_view startChar, std::string_view stopChar,
                     bool check, std::vector<Note>& notes);
LinearSymbol msi(std::string_view data, bool check, std::vector<Note>& notes);

// MSI modulo-10 check digit over the digits of text (non-digits take no place).
char msiCheckDigit(std::string_view text);

}  // namespace qv::barcode1d
