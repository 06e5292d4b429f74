#include "quorvantix/property.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/ascii_case.h"

namespace qv {
namespace {

using core::equalsIgnoringCase;

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::int64_t v = 0;
    int base = 10;
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty()) return std::nullopt;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return negative ? -v : v;
}

std::optional<std::int32_t> parseInt32(std::string_view text) {
    auto v = parseInteger(text);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

}  // namespace

std::string formatProperty(const PropertyInfo& info, const PropertyValue& value) {
    switch (info.type) {
        case PropType::Boolean:
            return std::get<bool>(value) ? "true" : "false";
        case PropType::Integer:
        case PropType::Short:
            return std::to_string(std::get<std::int32_t>(value));
        case PropType::Double: {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.17g", std::get<double>(value));
            // Prefer the shortest text that reads back to the same value.
            for (int precision = 1; precision <= 17; ++precision) {
                char shorter[64];
                std::snprintf(shorter, sizeof shorter, "%.*g", precision, std::get<double>(value));
                if (std::strtod(shorter, nullptr) == std::get<double>(value) ||
                    std::isnan(std::get<double>(value)))
                    return shorter;
            }
            return buf;
        }
        case PropType::Color: {
            const auto c = static_cast<std::uint32_t>(std::get<std::int32_t>(value));
            if (c > 0xFFFFFF) return std::to_string(std::get<std::int32_t>(value));
            char buf[16];
            std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF,
                          (c >> 16) & 0xFF);
            return buf;
        }
        case PropType::Enum: {
            const auto v = std::get<std::int32_t>(value);
            if (v >= 0 && static_cast<std::size_t>(v) < info.enumNames.size())
                return std::string(info.enumNames[static_cast<std::size_t>(v)]);
            return std::to_string(v);
        }
        case PropType::Font: {
            const auto& f = std::get<std::optional<Font>>(value);
            if (!f) return "(none)";
            return f->name + "," + std::to_string(f->height);
        }
        case PropType::String:
            return std::get<std::string>(value);
    }
    return {};
}

std::optional<PropertyValue> parseProperty(const PropertyInfo& info, std::string_view text) {
    switch (info.type) {
        case PropType::String:
            return PropertyValue{std::string(text)};
        case PropType::Boolean:
            if (equalsIgnoringCase(text, "true") || text == "1") return PropertyValue{true};
            if (equalsIgnoringCase(text, "false") || text == "0") return PropertyValue{false};
            return std::nullopt;
        case PropType::Integer: {
            auto v = parseInt32(text);
            if (!v) return std::nullopt;
            return PropertyValue{*v};
        }
        case PropType::Short: {
            auto v = parseInt32(text);
            if (!v || *v < INT16_MIN || *v > INT16_MAX) return std::nullopt;
            return PropertyValue{*v};
        }
        case PropType::Double: {
            std::string s(text);
            if (s.empty()) return std::nullopt;
            char* end = nullptr;
            const double v = std::strtod(s.c_str(), &end);
            if (end != s.c_str() + s.size()) return std::nullopt;
            return PropertyValue{v};
        }
        case PropType::Color: {
            if (text.size() == 7 && text[0] == '#') {
                auto rgb = parseInteger(std::string("0x") + std::string(text.substr(1)));
                if (!rgb || *rgb < 0) return std::nullopt;
                const auto v = static_cast<std::uint32_t>(*rgb);
                const std::uint32_t bgr = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
                return PropertyValue{static_cast<std::int32_t>(bgr)};
            }
            auto v = parseInteger(text);
            if (!v || *v < INT32_MIN || *v > UINT32_MAX) return std::nullopt;
            return PropertyValue{static_cast<std::int32_t>(static_cast<std::uint32_t>(*v))};
        }
        case PropType::Enum: {
            for (std::size_t i = 0; i < info.enumNames.size(); ++i)
                if (equalsIgnoringCase(info.enumNames[i], text))
                    return PropertyValue{static_cast<std::int32_t>(i)};
            auto v = parseInt32(text);
            if (!v) return std::nullopt;
            return PropertyValue{*v};
        }
        case PropType::Font:
            return std::nullopt;  // fonts are set through their own fields
    }
    return std::nullopt;
}

const PropertyInfo* findProperty(std::span<const PropertyInfo> table, std::string_view name) {
    for (const auto& p : table)
        if (p.name == name) return &p;
    for (const auto& p : table)
        if (equalsIgnoringCase(p.name, name)) return &p;
    return nullptr;
}

}  // namespace qv
