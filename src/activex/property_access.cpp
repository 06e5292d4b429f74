#include "property_access.h"

#include <stdexcept>
#include <string>

#include "ansi_string.h"
#include "quorvantix/property.h"

namespace qv::activex {
namespace {

const PropertyInfo& lookup(const Control& control, std::string_view name) {
    const PropertyInfo* info = findProperty(control.properties(), name);
    if (info == nullptr) {
        throw std::logic_error("the control has no property " + std::string(name));
    }
    return *info;
}

template <class T>
T get(const Control& control, std::string_view name) {
    const PropertyValue value = lookup(control, name).get(control);
    if (const T* v = std::get_if<T>(&value)) return *v;
    throw std::logic_error("property " + std::string(name) + " has another type");
}

void set(Control& control, std::string_view name, PropertyValue value) {
    const PropertyInfo& info = lookup(control, name);
    if (info.set == nullptr) {
        throw std::logic_error("property " + std::string(name) + " is read-only");
    }
    info.set(control, value);
}

}  // namespace

void readProperty(const Control& control, std::string_view name, BSTR* value) {
    *value = nullptr;
    *value = toBstr(get<std::string>(control, name));
}

void readProperty(const Control& control, std::string_view name, VARIANT_BOOL* value) {
    *value = get<bool>(control, name) ? VARIANT_TRUE : VARIANT_FALSE;
}

void readProperty(const Control& control, std::string_view name, LONG* value) {
    *value = get<std::int32_t>(control, name);
}

void readProperty(const Control& control, std::string_view name, OLE_COLOR* value) {
    *value = static_cast<std::uint32_t>(get<std::int32_t>(control, name));
}

void readProperty(const Control& control, std::string_view name, double* value) {
    *value = get<double>(control, name);
}

std::int32_t readByteEnum(const Control& control, std::string_view name) {
    return get<std::int32_t>(control, name) & 0xFF;
}

void writeProperty(Control& control, std::string_view name, BSTR value) {
    set(control, name, toAnsi(value));
}

void writeProperty(Control& control, std::string_view name, VARIANT_BOOL value) {
    set(control, name, value != 0);
}

void writeProperty(Control& control, std::string_view name, LONG value) {
    set(control, name, static_cast<std::int32_t>(value));
}

void writeProperty(Control& control, std::string_view name, OLE_COLOR value) {
    set(control, name, static_cast<std::int32_t>(value));
}

void writeProperty(Control& control, std::string_view name, double value) {
    set(control, name, value);
}

std::optional<Font> readFontProperty(const Control& control, std::string_view name) {
    return get<std::optional<Font>>(control, name);
}

void writeFontProperty(Control& control, std::string_view name, std::optional<Font> value) {
    set(control, name, std::move(value));
}

void writeByteEnum(Control& control, std::string_view name, std::int32_t value) {
    set(control, name, value & 0xFF);
}

}  // namespace qv::activex
