// Any property values and data for the TMaxicode control, painted.
#include "control_fuzz.h"
#include "quorvantix/maxicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return qv::fuzz::fuzzControl<qv::TMaxicode>(data, size, "data");
}
