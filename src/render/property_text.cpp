// Property values as text, through the property table only: what --set, a URL query and a Python
// attribute write.
#include <algorithm>
#include <vector>

#include "core/ascii_case.h"
#include "quorvantix/host.h"
#include "quorvantix/property.h"

namespace qv {
namespace {

std::string quoted(std::string_view text) {
    std::string q(1, '"');
    q.append(text);
    q.push_back('"');
    return q;
}

// A table entry of the given type, to reuse the value parser for a font's fields.
PropertyInfo fieldInfo(std::string_view name, PropType type) {
    return PropertyInfo{name, type, "",      std::nullopt, PropertyAccess::ReadWrite,
                        "",   {},   nullptr, nullptr};
}

// Sets one field of `font`; the error message when the field or its value is unknown.
std::optional<std::string> setFontField(Font& font, std::string_view field, std::string_view text) {
    struct Field {
        std::string_view name;
        PropType type;
    };
    static constexpr Field fields[] = {
        {"Name", PropType::String},       {"Height", PropType::Integer},
        {"Color", PropType::Color},       {"Bold", PropType::Boolean},
        {"Italic", PropType::Boolean},    {"Underline", PropType::Boolean},
        {"Strikeout", PropType::Boolean},
    };
    const auto* f = std::ranges::find_if(
        fields, [&](const Field& c) { return sameIgnoringCase(c.name, field); });
    if (f == std::end(fields))
        return "a font has no field " + quoted(field) +
               " (Name, Height, Color, Bold, Italic, Underline, Strikeout)";
    const auto info = fieldInfo(f->name, f->type);
    const auto value = parseProperty(info, text);
    if (!value)
        return quoted(text) + " does not fit Font." + std::string(f->name) + " (" +
               expectedText(info) + ")";
    if (f->name == "Name") font.name = std::get<std::string>(*value);
    if (f->name == "Height") font.height = std::get<std::int32_t>(*value);
    if (f->name == "Color") font.color = static_cast<TColor>(std::get<std::int32_t>(*value));
    if (f->name == "Bold") font.bold = std::get<bool>(*value);
    if (f->name == "Italic") font.italic = std::get<bool>(*value);
    if (f->name == "Underline") font.underline = std::get<bool>(*value);
    if (f->name == "Strikeout") font.strikeout = std::get<bool>(*value);
    return std::nullopt;
}

// "none" or "NAME,HEIGHT", the form the command prints.
std::optional<std::optional<Font>> parseWholeFont(std::string_view text) {
    if (sameIgnoringCase(text, "none") || text == "(none)") return std::optional<Font>{};
    const auto comma = text.rfind(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto height =
        parseProperty(fieldInfo("Height", PropType::Integer), text.substr(comma + 1));
    if (!height) return std::nullopt;
    Font font;
    font.name = std::string(text.substr(0, comma));
    font.height = std::get<std::int32_t>(*height);
    return std::optional<Font>{font};
}

bool fitsType(PropType type, const PropertyValue& value) {
    switch (type) {
        case PropType::Boolean:
            return std::holds_alternative<bool>(value);
        case PropType::Integer:
        case PropType::Short:
        case PropType::Color:
        case PropType::Enum:
            return std::holds_alternative<std::int32_t>(value);
        case PropType::Double:
            return std::holds_alternative<double>(value);
        case PropType::String:
            return std::holds_alternative<std::string>(value);
        case PropType::Font:
            return std::holds_alternative<std::optional<Font>>(value);
    }
    return false;
}

// An enumeration member named without regard to case and punctuation ("ean-13" for EAN13).
std::optional<PropertyValue> foldedEnumValue(const PropertyInfo& info, std::string_view text) {
    for (std::size_t i = 0; i < info.enumNames.size(); ++i)
        if (sameFoldedName(info.enumNames[i], text))
            return PropertyValue{static_cast<std::int32_t>(i)};
    return std::nullopt;
}

}  // namespace

bool writableByHosts(const PropertyInfo& info) {
    return info.access == PropertyAccess::ReadWrite && info.set != nullptr;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return core::equalsIgnoringCase(a, b);
}

std::string expectedText(const PropertyInfo& info) {
    switch (info.type) {
        case PropType::String:
            return "text";
        case PropType::Boolean:
            return "true, false, 1 or 0";
        case PropType::Integer:
            return "a 32-bit integer";
        case PropType::Short:
            return "an integer from -32768 to 32767";
        case PropType::Double:
            return "a number";
        case PropType::Color:
            return "#RRGGBB or a number";
        case PropType::Font:
            return "none or NAME,HEIGHT; or set Font.Name, Font.Height, Font.Color, ...";
        case PropType::Enum: {
            std::string names;
            for (auto n : info.enumNames) names += (names.empty() ? "" : ", ") + std::string(n);
            return names.empty() ? "a number" : names + " or a number";
        }
    }
    return {};
}

SetResult setPropertyText(Control& control, std::string_view name, std::string_view text) {
    const auto table = control.properties();
    const PropertyInfo* info = findProperty(table, name);
    std::string_view field;
    if (!info) {
        // "Font.Height": a field of a font property.
        const auto dot = name.find('.');
        if (dot != std::string_view::npos) {
            info = findProperty(table, name.substr(0, dot));
            if (info && info->type != PropType::Font)
                return {{}, "property " + quoted(info->name) + " has no fields"};
            field = name.substr(dot + 1);
        }
    }
    if (!info) {
        std::vector<std::string_view> names;
        for (const auto& p : table) names.push_back(p.name);
        return {{}, "unknown property " + quoted(name) + didYouMean(name, names)};
    }
    if (!writableByHosts(*info)) return {{}, "property " + quoted(info->name) + " is read-only"};

    std::optional<PropertyValue> value;
    if (info->type == PropType::Font) {
        std::optional<Font> font;
        if (info->get) font = std::get<std::optional<Font>>(info->get(control));
        if (field.empty()) {
            if (auto whole = parseWholeFont(text)) value = PropertyValue{*whole};
        } else {
            Font changed = font.value_or(Font{});
            if (auto problem = setFontField(changed, field, text)) return {{}, *problem};
            value = PropertyValue{std::optional<Font>{changed}};
        }
    } else {
        value = parseProperty(*info, text);
        if (!value && info->type == PropType::Enum) value = foldedEnumValue(*info, text);
    }
    if (!value)
        return {{},
                quoted(text) + " does not fit " + std::string(info->name) + " (" +
                    expectedText(*info) + ")" +
                    (info->type == PropType::Enum ? didYouMean(text, info->enumNames) : "")};
    info->set(control, *value);
    return {std::string(info->name), {}};
}

bool writePropertyValue(Control& control, std::string_view name, const PropertyValue& value) {
    const PropertyInfo* info = findProperty(control.properties(), name);
    if (!info || !writableByHosts(*info) || !fitsType(info->type, value)) return false;
    info->set(control, value);
    return true;
}

std::optional<PropertyValue> readPropertyValue(const Control& control, std::string_view name) {
    if (name.empty()) return std::nullopt;
    const PropertyInfo* info = findProperty(control.properties(), name);
    if (!info || !info->get) return std::nullopt;
    return info->get(control);
}

}  // namespace qv
