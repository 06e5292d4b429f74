// Code 128 and EAN-128 as symbol values, free of drawing.
#pragma once

#include <string_view>
#include <vector>

#include "quorvantix/control.h"

namespace qv::barcode1d {

// The symbol values of a symbol: the start character first, then the data and code changes, then
// the check character when check is set. The stop is implicit. Characters that cannot be
// encoded are left out and reported in notes.
//
// setName "B" and "C" choose those sets for the whole symbol; any other value means set A.
// In set C a lone character at the end is drawn after CODE B in set B, or after CODE A in set A
// when only set A has it, so every character with a Code 128 value survives.
std::vector<int> code128Values(std::string_view data, std::string_view setName, bool check,
                               std::vector<Note>& notes);

// EAN-128: Start C, FNC1 first (when there is data), then automatic set changes. The bytes 196,
// 197, 200, 201 and 202 stand for the function values 96, 97, 100, 101 and 102.
std::vector<int> ean128Values(std::string_view data, bool check, std::vector<Note>& notes);

}  // namespace qv::barcode1d
