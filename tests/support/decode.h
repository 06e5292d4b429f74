// Reads a rendered symbol back with an independent reader.
#pragma once

#include <ZXing/BarcodeFormat.h>

#include <string>

#include "quorvantix/raster.h"

namespace qv::test {

struct Decoded {
    bool ok = false;
    std::string format;  // the reader's name for the symbology
    std::string bytes;   // the decoded content, one char per byte
    std::string text;    // the decoded text (UTF-8), for symbologies that carry text
    std::string addOn;   // EAN/UPC add-on digits, when read
    // The symbology identifier "]cm", e.g. "]C1" for a GS1-128 symbol.
    std::string symbologyIdentifier;
};

struct DecodeOptions {
    bool readAddOn = false;       // EAN/UPC 2- and 5-digit add-ons
    bool pure = false;            // the image holds one clean symbol
    bool code39Extended = false;  // Code 39 Full ASCII shift pairs decoded to ASCII
    bool code39CheckSum = false;  // Code 39 check character verified and removed
    bool rotated = false;         // also look for the symbol turned
};

Decoded decode(const Bitmap& bitmap, ZXing::BarcodeFormats formats, DecodeOptions options = {});

}  // namespace qv::test
