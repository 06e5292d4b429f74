// The partners an AI needs (req) or may not have (ex) in the same message.
#pragma once

#include <span>
#include <string_view>

#include "quorvantix/gs1.h"

namespace qv::gs1 {

// Whether ai matches a dictionary pattern: digits, and "n" for any digit ("310n").
bool matchesPattern(std::string_view ai, std::string_view pattern);

// Appends a fault for every element whose req lists no group fully present, and for every pair
// that an ex list forbids. Elements with an AI the dictionary lacks are only partners.
void checkAssociations(std::span<const Element> elements, CheckReport& report);

}  // namespace qv::gs1
