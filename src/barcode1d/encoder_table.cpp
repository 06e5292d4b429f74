#include "barcode1d/encoder_table.h"

#include <array>

#include "barcode1d/code39_93.h"
#include "barcode1d/ean_upc.h"
#include "barcode1d/more_encoders.h"

namespace qv::barcode1d {
namespace {

// Indexed by TSymbology.
constexpr std::array<Encoder, 17> kEncoders = {
    encodeCode39,         // CODE39
    encodeCode39Ext,      // CODE39EXT
    encodeInterleaved25,  // INTERLEAVED25
    encodeCode11,         // CODE11
    encodeCodabar,        // CODABAR
    encodeMSI,            // MSI
    encodeUPCA,           // UPCA
    encodeIndustrial25,   // IND25
    encodeMatrix25,       // MAT25
    encodeCode93,         // CODE93
    encodeEAN13,          // EAN13
    encodeEAN8,           // EAN8
    encodeUPCE,           // UPCE
    encodeCode128,        // CODE128
    encodeCode93Ext,      // CODE93EXT
    encodePostnet,        // POSTNET
    encodeEAN128,         // EAN128
};

}  // namespace

Encoder encoderFor(TSymbology barType) {
    const auto i = static_cast<std::size_t>(barType);
    return i < kEncoders.size() ? kEncoders[i] : nullptr;
}

}  // namespace qv::barcode1d
