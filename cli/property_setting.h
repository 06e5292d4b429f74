// Writing and reading a control's properties by name, through its property table only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quorvantix/control.h"

namespace qv::cli {

struct SetResult {
    std::string property;  // the table's name of the property written (empty on failure)
    std::string error;     // why nothing was written (empty on success)
};

// Writes the value given as text. "Font.Name", "Font.Height", "Font.Color", "Font.Bold", ...
// set one field of a font property; "Font=none" removes the font, "Font=NAME,HEIGHT" sets both.
SetResult setProperty(Control& control, std::string_view name, std::string_view text);

// Typed access for the command's own adjustments; false or nullopt when the table has no such
// property (or, for writing, it is read-only).
bool writeProperty(Control& control, std::string_view name, const PropertyValue& value);
std::optional<PropertyValue> readProperty(const Control& control, std::string_view name);

// ASCII letters in either case match.
bool sameIgnoringCase(std::string_view a, std::string_view b);

// A short description of the text a property of this type takes, for messages and help.
std::string expectedText(const PropertyInfo& info);

}  // namespace qv::cli
