// Reads and writes of published properties through the control's property table, by the name
// the type library gives them, in the types of the dispatch interfaces. Every function throws on
// failure (a name missing from the table, a type the table does not hold); callers wrap them.
#pragma once

#include <windows.h>

#include <olectl.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "quorvantix/control.h"

namespace qv::activex {

void readProperty(const Control& control, std::string_view name, BSTR* value);
void readProperty(const Control& control, std::string_view name, VARIANT_BOOL* value);
void readProperty(const Control& control, std::string_view name, LONG* value);
void readProperty(const Control& control, std::string_view name, OLE_COLOR* value);
void readProperty(const Control& control, std::string_view name, double* value);
// Enumerations stored in one byte: the low byte, as a 32-bit value.
std::int32_t readByteEnum(const Control& control, std::string_view name);

void writeProperty(Control& control, std::string_view name, BSTR value);
void writeProperty(Control& control, std::string_view name, VARIANT_BOOL value);
void writeProperty(Control& control, std::string_view name, LONG value);
void writeProperty(Control& control, std::string_view name, OLE_COLOR value);
void writeProperty(Control& control, std::string_view name, double value);
std::optional<Font> readFontProperty(const Control& control, std::string_view name);
void writeFontProperty(Control& control, std::string_view name, std::optional<Font> value);
// Keeps the low byte, as a one-byte enumeration does; no range test.
void writeByteEnum(Control& control, std::string_view name, std::int32_t value);

}  // namespace qv::activex
