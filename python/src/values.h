// Python values and the command line's text for properties, both ways.
#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "quorvantix/property.h"

namespace qvpy {

namespace py = pybind11;

// Property writes as the command line spells them: NAME (or "Font.Name", ...) and VALUE.
using TextWrites = std::vector<std::pair<std::string, std::string>>;

// The writes that give `info` the Python value. TypeError when the Python type cannot stand for
// the property, ValueError for colours outside 0xRRGGBB; other values go to the host as text,
// which says whether they fit.
TextWrites textWrites(const qv::PropertyInfo& info, py::handle value);

// The Python value of a property: str, bool, int, float, an 0xRRGGBB colour, Font or None.
// Enumerations come as int (the package wraps them in their IntEnum).
py::object toPython(const qv::PropertyInfo& info, const qv::PropertyValue& value);

// An 8-bit string from str (each character its code, at most U+00FF) or bytes-like data.
std::string eightBit(py::handle value, std::string_view what);

// The classes the package defines in Python: Font, SymbolError, QuorvantixWarning.
struct PackageTypes {
    py::object font;
    py::object symbolError;
    py::object warning;
};
PackageTypes& packageTypes();

// The fields of a font as Python sees them, with their defaults.
py::dict fontDefaults();

}  // namespace qvpy
