// What a person means but the controls' contract leaves to the host, per control kind.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "quorvantix/control.h"

namespace qv::render {

using NameSet = std::set<std::string, std::less<>>;

// Code128Set AUTO becomes the code set that draws the data in the shortest symbol. UPC-E takes
// the 12-digit UPC-A number: its 6-, 7- and 8-digit forms are expanded to it. And it draws the
// parity of UPCESytem alone, so a number-system-0 number drawn with the default scans as
// another: unless the host was asked for a parity, follow the data's first digit.
void linearConveniences(Control& control, const NameSet& userSet);
// A host for people always builds the Data Matrix symbol from the data it was given.
void rebuildSymbol(Control& control, const NameSet& userSet);

// The error-correction level recommended for the number of data codewords: 2 up to 40, 3 up to
// 160, 4 up to 320, 5 above.
std::int32_t recommendedEcLevel(std::int64_t dataCodewords);
// Unless the host was asked for a level, the one recommended for the data's length.
void pdf417Conveniences(Control& control, const NameSet& userSet);

int prepareMacroPdf(Control& control);
void selectMacroPdfSegment(Control& control, int segment);

}  // namespace qv::render
