// Controls driven the way a container drives them: property settings in the property table's text
// forms written through IDispatch, and whole controls compared member by member.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "drawing_cases.h"

namespace qv::activex::test {

// Writes every "Name=value" setting of the case through IDispatch by name. An empty Font removes
// the font. False, with the reason, when a setting does not parse or a write fails.
bool applySettings(IDispatch* object, const DrawingCase& c, std::string* error);
// Every published property of the control class read through both objects; the first that
// differs, or empty when all are equal.
std::string firstDifference(IDispatch* a, IDispatch* b, std::string_view controlClass);
// The property table's settings that a load must give when the document holds none of them:
// the declared stored defaults, as "Name=value;..." text.
std::string storedDefaultSettings(std::string_view controlClass);

}  // namespace qv::activex::test
