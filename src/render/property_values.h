// Small helpers over property values shared by the render layer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "quorvantix/host.h"

namespace qv::render {

// An integer property's value; 0 when there is none of that name or type.
inline std::int64_t integerProperty(const Control& control, std::string_view name) {
    const auto v = readPropertyValue(control, name);
    return v && std::holds_alternative<std::int32_t>(*v) ? std::get<std::int32_t>(*v) : 0;
}

// The nearest 32-bit value.
inline std::int32_t saturated(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace qv::render
