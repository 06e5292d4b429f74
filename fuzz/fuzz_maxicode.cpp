// Any property values and data for the TMaxicode control, painted.
#include "control_fuzz.h"
#include "quorvantix/maxicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return qv::fuzz::fuzzControl<qv::TMaxicode>(data, size, "data",
                                                [](qv::TMaxicode& c, std::uint8_t f) {
                                                    // The setters with effects, on the values
                                                    // the property writes left.
                                                    if (f & 16) c.setResolution(c.resolution);
                                                    if (f & 32) c.setL(c.L);
                                                });
}
