// What the command prints for people: usage, a control's properties, the values after a paint.
#pragma once

#include <iosfwd>
#include <span>

#include "registry.h"

namespace qv::cli {

void printUsage(std::ostream& out, std::span<const ControlEntry> controls);
// Every published property with its type, value at creation and meaning.
void printControlHelp(std::ostream& out, const ControlEntry& entry, const Control& control);
// Every published property as Name=Value, in declaration order.
void printValues(std::ostream& out, const Control& control);

}  // namespace qv::cli
