// The C++ render API on its own, timed in C++, as the yardstick of the Python layer's cost.
#pragma once

namespace qvpy {

// CPU seconds that `repeat` renders of an EAN-13 PNG take through qv::renderImage on one control,
// or through qv::makeSymbol from text as the Python layer calls it; the GIL is released meanwhile.
double nativeEan13Png(int repeat, bool throughHost);

}  // namespace qvpy
