// What a painted control's symbol stands for, in the terms of the reader: which symbology to
// look for, how to read it, and the data it must give back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "quorvantix/control.h"

namespace qv::verify {

// The reader plugin takes these by number (reader/zxing_reader.cpp): new ones go at the end.
enum class Symbology : std::uint8_t {
    Code39,
    Code93,
    Code128,
    Codabar,
    Itf,
    Ean13,
    Ean8,
    UpcA,
    UpcE,
    DataMatrix,
    Pdf417,
    MaxiCode,
};

struct Expectation {
    Symbology symbology = Symbology::Code128;
    std::string data;             // the bytes the reader must give
    bool code39Extended = false;  // full ASCII shift pairs as ASCII
    bool code39CheckSum = false;  // check character verified and removed
    std::string addOn;            // EAN/UPC add-on digits; empty: none
    // Macro PDF417: segment index and count, and the file ID as the reader prints it.
    std::int32_t segment = -1;
    std::int32_t segments = -1;
    std::string fileId;
};

// nullopt, with the reason in *why, when the reader cannot read the symbology.
std::optional<Expectation> expectationOf(const Control& control, std::string* why);

}  // namespace qv::verify
