// Checks of one element's data against its AI's components.
#pragma once

#include <string>
#include <vector>

#include "gs1/dictionary.h"
#include "quorvantix/gs1.h"

namespace qv::gs1 {

// Appends to report the faults of the element's data (length, character set, linters) and the
// linters it could not apply.
void checkComponents(const Element& element, const AiEntry& entry, CheckReport& report);

}  // namespace qv::gs1
