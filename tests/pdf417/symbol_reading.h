// Test helpers: the modules a recorded paint drew, codewords read back from them, and a PDF417
// reader that also reports the Macro PDF417 sequence information.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quorvantix/pdf417.h"
#include "quorvantix/raster.h"
#include "quorvantix/recording.h"

namespace qv::test {

// Module strings ('1' bar, '0' space) of the rows drawn from (left, top), one per row of the
// given height, from the bar polygons of a recording.
std::vector<std::string> recordedRows(const std::vector<DrawCall>& calls, std::int32_t left,
                                      std::int32_t top, std::int32_t moduleWidth,
                                      std::int32_t rowHeight);

// Codeword of a 17-module string in the cluster of `row`, or -1.
std::int32_t codewordOf(const std::string& modules, std::int32_t row);

struct PdfRead {
    bool ok = false;
    std::string bytes;
    int index = -1;  // Macro PDF417 segment index, -1 outside a sequence
    int count = -1;  // segment count; 0 when the symbol carries none
    std::string fileId;
};

PdfRead readPdf417(const Bitmap& bitmap);

// Paints the control on a bitmap big enough for its symbol plus a quiet zone.
PdfRead paintAndRead(TPDF417& control);

}  // namespace qv::test
