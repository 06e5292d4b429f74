// Code 39, Code 39 Extended, Code 93 and Code 93 Extended.
#pragma once

#include "barcode1d/encoder_context.h"

namespace qv::barcode1d {

void encodeCode39(EncoderContext& ctx);
void encodeCode39Ext(EncoderContext& ctx);
void encodeCode93(EncoderContext& ctx);
void encodeCode93Ext(EncoderContext& ctx);

}  // namespace qv::barcode1d
