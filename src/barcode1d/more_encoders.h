// The encoders of Code 128, EAN-128, the 2 of 5 family, Code 11, Codabar, MSI and POSTNET. Each
// reads ctx.props, draws from ctx.sink.x() onwards and notes what it left out, padded or cut.
#pragma once

#include "barcode1d/encoder_context.h"

namespace qv::barcode1d {

void encodeCode128(EncoderContext& ctx);
void encodeEAN128(EncoderContext& ctx);
void encodeInterleaved25(EncoderContext& ctx);
void encodeIndustrial25(EncoderContext& ctx);
void encodeMatrix25(EncoderContext& ctx);
void encodeCode11(EncoderContext& ctx);
void encodeCodabar(EncoderContext& ctx);
void encodeMSI(EncoderContext& ctx);
void encodePostnet(EncoderContext& ctx);

}  // namespace qv::barcode1d
