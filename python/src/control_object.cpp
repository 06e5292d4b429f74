#include "control_object.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <map>

#include "access.h"
#include "image.h"
#include "values.h"

namespace qvpy {
namespace {

const qv::Control& freshControl(const qv::ControlKind& kind) {
    // Kept for the process: compared against by repr(); touched under the GIL only.
    static auto* fresh = new std::map<const qv::ControlKind*, std::unique_ptr<qv::Control>>;
    auto& control = (*fresh)[&kind];
    if (!control) control = kind.create();
    return *control;
}

// A format by its name, as the library knows formats by their file extensions.
std::pair<qv::ImageFormat, std::string> formatNamed(const std::string& name) {
    std::string lower = name;
    std::ranges::transform(lower, lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    const auto format =
        lower.find('.') == std::string::npos ? qv::imageFormatOf("." + lower) : std::nullopt;
    if (!format)
        throw py::value_error("format \"" + name +
                              "\" is none the library writes (\"png\", \"svg\", ...)");
    return {*format, lower};
}

// A host option's value as the command line spells it: flags true/false, sizes WxH.
std::string optionText(py::handle value) {
    if (PyBool_Check(value.ptr())) return value.ptr() == Py_True ? "true" : "false";
    if (PyTuple_Check(value.ptr()) || PyList_Check(value.ptr())) {
        std::string text;
        for (auto item : value) text += (text.empty() ? "" : "x") + std::string(py::str(item));
        return text;
    }
    return py::str(value);
}

[[noreturn]] void raiseSymbolError(const std::vector<qv::Note>& notes, qv::Note::Severity severity,
                                   const std::string& fallback) {
    std::string message;
    for (const auto& note : notes)
        if (note.severity == severity) message += (message.empty() ? "" : "; ") + note.text;
    const py::object error = packageTypes().symbolError(message.empty() ? fallback : message);
    error.attr("notes") = notesToPython(notes);
    PyErr_SetObject(packageTypes().symbolError.ptr(), error.ptr());
    throw py::error_already_set();
}

}  // namespace

ControlObject::ControlObject(std::string_view kindName) : kind_(qv::findControlKind(kindName)) {
    if (!kind_) throw py::value_error("unknown control \"" + std::string(kindName) + "\"");
    settings_ = kind_->create();
}

std::string ControlObject::refusal(std::string_view name) const {
    // The host's own message, from a scratch control so that nothing here can change.
    const auto scratch = kind_->create();
    const qv::SetResult r = qv::setPropertyText(*scratch, name, "");
    return r.error.empty() ? "unknown property \"" + std::string(name) + "\"" : r.error;
}

void ControlObject::set(std::string_view name, py::handle value) {
    const qv::PropertyInfo* info = qv::findProperty(settings_->properties(), name);
    if (!info || info->name != name || accessOf(*info) != Access::ReadWrite)
        throw py::attribute_error(refusal(name));
    const TextWrites texts = textWrites(*info, value);
    std::optional<qv::PropertyValue> before;
    if (texts.size() > 1 && info->get) before = info->get(*settings_);
    for (const auto& [field, text] : texts) {
        const qv::SetResult r = qv::setPropertyText(*settings_, field, text);
        if (r.error.empty()) continue;
        if (before && info->set) info->set(*settings_, *before);
        throw py::value_error(r.error);
    }
    std::erase_if(writes_, [&](const Write& w) { return w.property == info->name; });
    for (const auto& [field, text] : texts)
        writes_.push_back({std::string(info->name), field, text});
}

py::object ControlObject::get(std::string_view name) const {
    const qv::PropertyInfo* info = qv::findProperty(settings_->properties(), name);
    if (!info || info->name != name || !info->get)
        throw py::attribute_error("unknown property \"" + std::string(name) + "\"");
    const bool result = accessOf(*info) != Access::ReadWrite && last_;
    return toPython(*info, info->get(result ? *last_ : *settings_));
}

std::vector<std::string> ControlObject::changed() const {
    const qv::Control& fresh = freshControl(*kind_);
    std::vector<std::string> names;
    for (const auto& info : settings_->properties())
        if (accessOf(info) == Access::ReadWrite && info.get &&
            info.get(*settings_) != info.get(fresh))
            names.emplace_back(info.name);
    return names;
}

std::vector<py::object> ControlObject::make(const std::pair<qv::ImageFormat, std::string>& format,
                                            const py::kwargs& options, bool segments) {
    qv::SymbolRequest request;
    request.control = std::string(kind_->name);
    request.segments = segments;
    request.properties.reserve(writes_.size());
    for (const auto& w : writes_) request.properties.emplace_back(w.name, w.text);
    int stackLevel = 1;
    for (const auto& [key, value] : options) {
        std::string name = py::str(key);
        if (name == "_stacklevel") {
            stackLevel = value.cast<int>();
            continue;
        }
        std::ranges::replace(name, '_', '-');
        if (value.is_none()) continue;
        if (!qv::findHostOption(name))
            throw py::type_error("render() got an unexpected keyword argument '" +
                                 std::string(py::str(key)) + "'");
        if (auto problem = qv::setHostOption(request.options, name, optionText(value)))
            throw py::value_error(*problem);
    }

    qv::SymbolResult result;
    {
        py::gil_scoped_release nogil;
        result = qv::makeSymbol(*kind_, request, format.first);
    }
    if (result.control) last_ = std::move(result.control);
    std::vector<qv::Note> notes = result.notes;
    for (const auto& image : result.images)
        notes.insert(notes.end(), image.notes.begin(), image.notes.end());
    switch (result.status) {
        case qv::SymbolStatus::Ok:
            break;
        case qv::SymbolStatus::Usage:
            throw py::value_error(result.message);
        case qv::SymbolStatus::Unavailable:
            throw std::runtime_error(result.message);
        case qv::SymbolStatus::StrictWarnings:
            raiseSymbolError(notes, qv::Note::Severity::Warning, result.message);
        case qv::SymbolStatus::VerifyFailed:
        case qv::SymbolStatus::NotRepresentable:
            raiseSymbolError(
                notes, qv::Note::Severity::Error,
                result.message.empty() ? "the symbol cannot stand for the data" : result.message);
    }
    std::vector<py::object> images;
    const std::size_t count = result.images.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string prefix =
            count > 1 ? "segment " + std::to_string(i + 1) + " of " + std::to_string(count) + ": "
                      : "";
        for (const auto& note : result.images[i].notes)
            if (PyErr_WarnEx(packageTypes().warning.ptr(), (prefix + note.text).c_str(),
                             stackLevel) < 0)
                throw py::error_already_set();
        images.push_back(py::cast(Image(std::move(result.images[i]), format.first, format.second)));
    }
    return images;
}

py::object ControlObject::render(const std::string& format, const py::kwargs& options) {
    auto images = make(formatNamed(format), options, false);
    if (images.empty()) throw py::value_error("the host made no image");
    return images.front();
}

py::list ControlObject::segments(const py::kwargs& options) {
    if (!kind_->prepareSegments)
        throw py::type_error(std::string(kind_->name) + " has no segments");
    py::object format = py::str("png");
    if (options.contains("format")) format = options["format"];
    if (!py::isinstance<py::str>(format)) throw py::type_error("format takes a str");
    py::kwargs rest;
    for (const auto& [key, value] : options)
        if (std::string(py::str(key)) != "format") rest[key] = value;
    py::list out;
    for (auto& image : make(formatNamed(format.cast<std::string>()), rest, true)) out.append(image);
    return out;
}

}  // namespace qvpy

namespace qvpy {
namespace {

const char* typeName(qv::PropType type) {
    switch (type) {
        case qv::PropType::String:
            return "str";
        case qv::PropType::Boolean:
            return "bool";
        case qv::PropType::Integer:
            return "int";
        case qv::PropType::Short:
            return "short";
        case qv::PropType::Double:
            return "float";
        case qv::PropType::Color:
            return "color";
        case qv::PropType::Enum:
            return "enum";
        case qv::PropType::Font:
            return "font";
    }
    return "str";
}

py::dict describeProperty(const qv::Control& fresh, const qv::PropertyInfo& info) {
    py::dict d;
    d["name"] = std::string(info.name);
    d["type"] = typeName(info.type);
    d["default"] = info.get ? toPython(info, info.get(fresh)) : py::none();
    d["help"] = std::string(info.help);
    d["access"] = accessName(accessOf(info));
    py::list names;
    for (auto n : info.enumNames) names.append(std::string(n));
    d["enum_names"] = names;
    return d;
}

}  // namespace

py::list describeControls() {
    py::list out;
    for (const auto& kind : qv::controlKinds()) {
        const qv::Control& fresh = freshControl(kind);
        py::dict d;
        d["name"] = std::string(kind.name);
        d["summary"] = std::string(kind.summary);
        d["data_property"] = std::string(kind.dataProperty);
        d["type_property"] = std::string(kind.typeProperty);
        d["segmented"] = kind.prepareSegments != nullptr;
        py::list props;
        for (const auto& info : fresh.properties()) props.append(describeProperty(fresh, info));
        d["properties"] = props;
        out.append(d);
    }
    return out;
}

void bindControl(py::module_& m) {
    std::string renderDoc =
        "Paints the control and returns the Image. format is \"png\" or \"svg\"; strict=True "
        "raises SymbolError instead of warning when the data was changed to fit. Host options, "
        "as keywords (None: not given):";
    for (const auto& option : qv::hostOptions()) {
        std::string name(option.name);
        std::ranges::replace(name, '-', '_');
        renderDoc += "\n  " + name +
                     (option.argument.empty() ? "" : " (" + std::string(option.argument) + ")") +
                     ": " + std::string(option.help);
    }
    py::class_<ControlObject>(m, "Control", "A barcode control; its properties are attributes.")
        .def(py::init<std::string_view>(), py::arg("kind"))
        .def_property_readonly("_kind", [](const ControlObject& c) { return c.kind().name; })
        .def("_get", &ControlObject::get, py::arg("name"))
        .def("_set", &ControlObject::set, py::arg("name"), py::arg("value"))
        .def("_changed", &ControlObject::changed)
        .def("render", &ControlObject::render, py::arg("format") = "png", renderDoc.c_str())
        .def("_segments", &ControlObject::segments);
}

}  // namespace qvpy
