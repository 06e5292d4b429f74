// Pixels drawn under Windows against a reference of the native raster canvas.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawing_cases.h"

namespace qv::activex::test {

// Pixels as 0x00RRGGBB, top-down, of the reference's size; text cells of the reference and the
// further cells are left out of the comparison. Failures are counted.
void checkSamePixels(const std::string& name, const Reference& reference,
                     const std::uint32_t* pixels, const std::vector<Rect>& moreCells);

}  // namespace qv::activex::test
