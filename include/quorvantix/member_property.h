// Reading and writing a published property that is stored as a data member of a control.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "quorvantix/property.h"

namespace qv {

namespace detail {
// Types that travel as themselves; every other member type (colours, enumerations, narrower
// integers) travels as int32.
template <class T>
inline constexpr bool travelsAsItself =
    std::is_same_v<T, bool> || std::is_same_v<T, std::int32_t> || std::is_same_v<T, double> ||
    std::is_same_v<T, std::string> || std::is_same_v<T, std::optional<Font>>;
}  // namespace detail

template <class C, auto Member>
PropertyValue getMember(const Control& control) {
    const auto& value = static_cast<const C&>(control).*Member;
    using T = std::remove_cvref_t<decltype(value)>;
    if constexpr (detail::travelsAsItself<T>)
        return PropertyValue{value};
    else
        return PropertyValue{static_cast<std::int32_t>(value)};
}

// A value of another kind than the member's is ignored. Integers convert as the platform does:
// an enumeration stored in one byte keeps the low byte, a colour keeps the 32 bits.
template <class C, auto Member>
void setMember(Control& control, const PropertyValue& value) {
    auto& member = static_cast<C&>(control).*Member;
    using T = std::remove_cvref_t<decltype(member)>;
    if constexpr (detail::travelsAsItself<T>) {
        if (const auto* p = std::get_if<T>(&value)) member = *p;
    } else if (const auto* p = std::get_if<std::int32_t>(&value)) {
        if constexpr (std::is_enum_v<T>)
            member = static_cast<T>(static_cast<std::underlying_type_t<T>>(*p));
        else
            member = static_cast<T>(*p);
    }
}

// What a row of a property table may add to the plain stored member.
struct RowOptions {
    PropertyAccess access = PropertyAccess::ReadWrite;
    std::span<const std::string_view> enumNames = {};       // member names by value, for Enum
    void (*set)(Control&, const PropertyValue&) = nullptr;  // a setter with effects
};

inline constexpr RowOptions kResult{.access = PropertyAccess::Result};
inline constexpr RowOptions kReadOnly{.access = PropertyAccess::ReadOnly};

// The one way a control declares a published property: the data member Member of control class
// C, its name, type, initial value as text, declared stored default and one sentence of help.
// A read-only row has no setter; any other writes the member unless the options name a setter.
template <class C, auto Member>
constexpr PropertyInfo propertyRow(std::string_view name, PropType type, std::string_view initial,
                                   std::optional<std::string_view> stored, std::string_view help,
                                   RowOptions options = {}) {
    auto set = options.set != nullptr ? options.set : &setMember<C, Member>;
    if (options.access == PropertyAccess::ReadOnly) set = nullptr;
    return PropertyInfo{
        name, type, initial, stored, options.access, help, options.enumNames, &getMember<C, Member>,
        set};
}

}  // namespace qv
