// Any property values and data for the TPDF417 control, painted.
#include "control_fuzz.h"
#include "quorvantix/pdf417.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return qv::fuzz::fuzzControl<qv::TPDF417>(data, size, "Code",
                                              [](qv::TPDF417& c, std::uint8_t f) {
                                                  if (f & 16) c.prepareMacroPDF();
                                                  if (f & 32) c.resetMacroPDF();
                                              });
}
