// The nominal symbol length L of each symbology, in pixels.
#pragma once

#include <cstdint>

#include "quorvantix/barcode1d.h"

namespace qv::barcode1d {

// From the data as set (before tilde expansion); 0 for a barType outside the enumeration.
// Saturates at the int32 range.
std::int32_t computeNominalLength(const Barcode1DProperties& props);

}  // namespace qv::barcode1d
