// Any property values and data for the TDatamatrix control, painted.
#include "control_fuzz.h"
#include "quorvantix/datamatrix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return qv::fuzz::fuzzControl<qv::TDatamatrix>(data, size, "Code",
                                                  [](qv::TDatamatrix& c, std::uint8_t f) {
                                                      if (f & 16) c.buildSymbol();
                                                  });
}
