// One table per control describes its published properties: the command line, persistence and
// the dispatch layer all read it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "quorvantix/types.h"

namespace qv {

class Control;

enum class PropType : std::uint8_t { String, Boolean, Integer, Short, Double, Color, Enum, Font };

// Colours and enumerations travel as int32; a font as an optional (empty: no font assigned).
using PropertyValue = std::variant<bool, std::int32_t, double, std::string, std::optional<Font>>;

// What a host may do with a property.
enum class PropertyAccess : std::uint8_t {
    ReadWrite,  // a stored value: hosts write it, persistence saves it
    Result,     // written back by a paint; a host may write it, but it is not saved
    ReadOnly,   // only the control writes it: no setter, not saved
};

struct PropertyInfo {
    std::string_view name;
    PropType type;
    std::string_view defaultText;                   // the value at creation, as text
    std::optional<std::string_view> storedDefault;  // not persisted when equal to this
    PropertyAccess access;
    std::string_view help;                        // one line of meaning
    std::span<const std::string_view> enumNames;  // member names by value, for Enum
    PropertyValue (*get)(const Control&);
    void (*set)(Control&, const PropertyValue&);
};

// Whether a container's saved state holds this property (when it differs from storedDefault).
constexpr bool persisted(const PropertyInfo& info) {
    return info.access == PropertyAccess::ReadWrite && info.get != nullptr && info.set != nullptr;
}

// Text form of a value, as the command line prints it ("#RRGGBB" colours, enum member names).
std::string formatProperty(const PropertyInfo& info, const PropertyValue& value);
// Parses a value given as text; nullopt when the text does not fit the type.
// Enumerations take the member name or the number, Booleans true/false/1/0,
// colours "#RRGGBB" or a number.
std::optional<PropertyValue> parseProperty(const PropertyInfo& info, std::string_view text);
// Case-insensitive lookup (an exact match wins).
const PropertyInfo* findProperty(std::span<const PropertyInfo> table, std::string_view name);

}  // namespace qv
