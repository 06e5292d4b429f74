#include "values.h"

#include <cstdio>

#include "quorvantix/canvas.h"

namespace qvpy {
namespace {

using qv::PropType;

std::uint32_t swapRedBlue(std::uint32_t c) {
    return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

std::string hexColour(std::uint32_t rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
    return buf;
}

bool isInteger(py::handle v) {
    return PyLong_Check(v.ptr()) || (!PyFloat_Check(v.ptr()) && PyIndex_Check(v.ptr()));
}

std::string integerText(py::handle v) {
    return py::str(py::reinterpret_steal<py::object>(PyNumber_Index(v.ptr())));
}

[[noreturn]] void wrongType(const qv::PropertyInfo& info, std::string_view expected,
                            py::handle value) {
    throw py::type_error(std::string(info.name) + " takes " + std::string(expected) + ", not " +
                         std::string(py::str(py::type::handle_of(value).attr("__name__"))));
}

std::string colourText(const qv::PropertyInfo& info, std::string_view field, py::handle value) {
    const std::string what = field.empty() ? std::string(info.name) : std::string(field);
    if (PyUnicode_Check(value.ptr())) {
        std::string text = value.cast<std::string>();
        if (text.starts_with('#')) return text;
        throw py::value_error('"' + text + "\" does not fit " + what +
                              " (0xRRGGBB or \"#RRGGBB\")");
    }
    if (!isInteger(value)) wrongType(info, "an int 0xRRGGBB or a str \"#RRGGBB\"", value);
    const py::int_ number = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
    const long long rgb = PyLong_AsLongLong(number.ptr());
    if (PyErr_Occurred() || rgb < 0 || rgb > 0xFFFFFF) {
        if (PyErr_Occurred()) {
            PyErr_Clear();
            throw py::value_error(std::string(py::repr(number)) + " does not fit " + what +
                                  " (0xRRGGBB or \"#RRGGBB\")");
        }
        PyErr_Clear();
        throw py::value_error(std::to_string(rgb) + " does not fit " + what +
                              " (0xRRGGBB or \"#RRGGBB\")");
    }
    return hexColour(static_cast<std::uint32_t>(rgb));
}

// A font's fields: the Python name, the command line's field, its type.
struct FontField {
    const char* python;
    const char* text;
    PropType type;
};
constexpr FontField kFontFields[] = {
    {"name", "Name", PropType::String},
    {"height", "Height", PropType::Integer},
    {"color", "Color", PropType::Color},
    {"bold", "Bold", PropType::Boolean},
    {"italic", "Italic", PropType::Boolean},
    {"underline", "Underline", PropType::Boolean},
    {"strikeout", "Strikeout", PropType::Boolean},
};

py::object latin1(const std::string& s) {
    return py::reinterpret_steal<py::object>(
        PyUnicode_DecodeLatin1(s.data(), static_cast<Py_ssize_t>(s.size()), nullptr));
}

py::dict fontFields(const qv::Font& font) {
    py::dict d;
    d["name"] = latin1(font.name);
    d["height"] = font.height;
    d["color"] = swapRedBlue(font.color);
    d["bold"] = font.bold;
    d["italic"] = font.italic;
    d["underline"] = font.underline;
    d["strikeout"] = font.strikeout;
    return d;
}

TextWrites fontWrites(const qv::PropertyInfo& info, py::handle value) {
    const std::string prefix = std::string(info.name) + ".";
    if (value.is_none()) return {{std::string(info.name), "none"}};
    if (PyUnicode_Check(value.ptr())) return {{std::string(info.name), eightBit(value, info.name)}};
    if (!py::isinstance(value, packageTypes().font)) wrongType(info, "a Font, str or None", value);
    TextWrites writes;
    for (const auto& f : kFontFields) {
        const py::object v = value.attr(f.python);
        const std::string name = prefix + f.text;
        std::string text;
        switch (f.type) {
            case PropType::String:
                text = eightBit(v, name);
                break;
            case PropType::Integer:
                if (!isInteger(v)) throw py::type_error(name + " takes an int");
                text = integerText(v);
                break;
            case PropType::Color:
                text = colourText(info, name, v);
                break;
            default:
                if (!PyBool_Check(v.ptr())) throw py::type_error(name + " takes a bool");
                text = v.ptr() == Py_True ? "true" : "false";
        }
        writes.emplace_back(name, std::move(text));
    }
    return writes;
}

std::string valueText(const qv::PropertyInfo& info, py::handle value) {
    const bool isStr = PyUnicode_Check(value.ptr());
    switch (info.type) {
        case PropType::String:
            if (isStr || PyBytes_Check(value.ptr()) || PyByteArray_Check(value.ptr()) ||
                PyMemoryView_Check(value.ptr()))
                return eightBit(value, info.name);
            wrongType(info, "str or bytes", value);
        case PropType::Boolean:
            if (PyBool_Check(value.ptr())) return value.ptr() == Py_True ? "true" : "false";
            if (isStr) return value.cast<std::string>();
            if (isInteger(value)) return integerText(value);
            wrongType(info, "a bool", value);
        case PropType::Integer:
        case PropType::Short:
        case PropType::Enum:
            if (isStr) return value.cast<std::string>();
            if (isInteger(value)) return integerText(value);
            wrongType(info, info.type == PropType::Enum ? "a member name or an int" : "an int",
                      value);
        case PropType::Double:
            if (isStr) return value.cast<std::string>();
            if (PyFloat_Check(value.ptr()) || isInteger(value))
                return py::repr(py::float_(py::reinterpret_borrow<py::object>(value)));
            wrongType(info, "a float", value);
        case PropType::Color:
            return colourText(info, {}, value);
        case PropType::Font:
            break;
    }
    wrongType(info, "a value", value);
}

}  // namespace

PackageTypes& packageTypes() {
    // Never destroyed: the interpreter may be gone by the time static destructors run.
    static auto* types = new PackageTypes;
    return *types;
}

std::string eightBit(py::handle value, std::string_view what) {
    if (PyUnicode_Check(value.ptr())) {
        const auto bytes = py::reinterpret_steal<py::object>(
            PyUnicode_AsEncodedString(value.ptr(), "latin-1", "strict"));
        if (!bytes) {
            PyErr_Clear();
            throw py::value_error(std::string(what) +
                                  " takes 8-bit characters (up to U+00FF); pass bytes for other "
                                  "encodings, e.g. text.encode(\"utf-8\")");
        }
        return py::bytes(bytes).cast<std::string>();
    }
    if (PyBytes_Check(value.ptr()))
        return py::reinterpret_borrow<py::bytes>(value).cast<std::string>();
    // bytearray, memoryview and other buffers: one copy through bytes.
    return py::bytes(py::reinterpret_steal<py::object>(PyBytes_FromObject(value.ptr())))
        .cast<std::string>();
}

TextWrites textWrites(const qv::PropertyInfo& info, py::handle value) {
    if (info.type == PropType::Font) return fontWrites(info, value);
    return {{std::string(info.name), valueText(info, value)}};
}

py::object toPython(const qv::PropertyInfo& info, const qv::PropertyValue& value) {
    switch (info.type) {
        case PropType::Boolean:
            return py::bool_(std::get<bool>(value));
        case PropType::Integer:
        case PropType::Short:
        case PropType::Enum:
            return py::int_(std::get<std::int32_t>(value));
        case PropType::Double:
            return py::float_(std::get<double>(value));
        case PropType::Color:
            return py::int_(swapRedBlue(static_cast<std::uint32_t>(std::get<std::int32_t>(value))));
        case PropType::String:
            return latin1(std::get<std::string>(value));
        case PropType::Font: {
            const auto& font = std::get<std::optional<qv::Font>>(value);
            if (!font) return py::none();
            return packageTypes().font(**fontFields(*font));
        }
    }
    return py::none();
}

py::dict fontDefaults() {
    return fontFields(qv::Font{});
}

}  // namespace qvpy
