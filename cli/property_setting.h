// Writing and reading a control's properties by name, as the host layer does it.
#pragma once

#include "quorvantix/host.h"

namespace qv::cli {

inline SetResult setProperty(Control& control, std::string_view name, std::string_view text) {
    return setPropertyText(control, name, text);
}
inline bool writeProperty(Control& control, std::string_view name, const PropertyValue& value) {
    return writePropertyValue(control, name, value);
}
inline std::optional<PropertyValue> readProperty(const Control& control, std::string_view name) {
    return readPropertyValue(control, name);
}

}  // namespace qv::cli
