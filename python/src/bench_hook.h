// The C++ render API on its own, timed in C++, as the yardstick of the Python layer's cost.
#pragma once

namespace qvpy {

// Seconds that `repeat` renders of an EAN-13 PNG take through qv::renderImage; the GIL is
// released meanwhile.
double nativeEan13Png(int repeat);

}  // namespace qvpy
