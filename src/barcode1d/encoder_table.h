// Which encoder draws each symbology.
#pragma once

#include <cstdint>

#include "barcode1d/encoder_context.h"

namespace qv::barcode1d {

// The encoder of a barType value, or null for a value without one: such a paint draws no bars.
Encoder encoderFor(TSymbology barType);

}  // namespace qv::barcode1d
