// UPC-A, EAN-13, EAN-8 and UPC-E, each with an optional 2- or 5-digit add-on.
#pragma once

#include "barcode1d/encoder_context.h"

namespace qv::barcode1d {

void encodeUPCA(EncoderContext& ctx);
void encodeEAN13(EncoderContext& ctx);
void encodeEAN8(EncoderContext& ctx);
void encodeUPCE(EncoderContext& ctx);

// The add-on after the symbol: 2 digits when UPCEANSupplement2 is set, else 5 when
// UPCEANSupplement5 is. The supplement property, when not empty, replaces the fallback data.
void drawSupplements(EncoderContext& ctx, std::string_view fallback2, std::string_view fallback5);

}  // namespace qv::barcode1d
