// Any property values and data for the TBarcode1D control, painted.
#include "control_fuzz.h"
#include "quorvantix/barcode1d.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return qv::fuzz::fuzzControl<qv::TBarcode1D>(data, size, "Code");
}
