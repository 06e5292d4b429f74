#include "property_store.h"

#include <string>
#include <utility>
#include <vector>

#include "quorvantix/property.h"

namespace qv::activex {
namespace {

// Font styles as one number.
constexpr std::int32_t kBold = 1, kItalic = 2, kUnderline = 4, kStrikeout = 8;

ItemKind kindOf(PropType type) {
    switch (type) {
        case PropType::String:
            return ItemKind::String;
        case PropType::Boolean:
            return ItemKind::Boolean;
        case PropType::Double:
            return ItemKind::Double;
        default:
            return ItemKind::Integer;
    }
}

std::string attribute(std::string_view font, std::string_view part) {
    return std::string(font) + "." + std::string(part);
}

void saveFont(std::string_view name, const std::optional<Font>& font, ItemSink& sink) {
    sink.put(name, font.has_value());  // false: no font assigned, no text drawn
    if (!font) return;
    sink.put(attribute(name, "Name"), font->name);
    sink.put(attribute(name, "Height"), font->height);
    sink.put(attribute(name, "Color"), static_cast<std::int32_t>(font->color));
    sink.put(attribute(name, "Style"), (font->bold ? kBold : 0) | (font->italic ? kItalic : 0) |
                                           (font->underline ? kUnderline : 0) |
                                           (font->strikeout ? kStrikeout : 0));
}

// Nullopt leaves the control's font as it is.
std::optional<std::optional<Font>> loadFont(std::string_view name, std::optional<Font> current,
                                            ItemSource& source) {
    const auto assigned = source.get(name, ItemKind::Boolean);
    if (assigned && !std::get<bool>(*assigned)) return std::optional<Font>();
    Font font = current.value_or(Font{});
    bool any = assigned.has_value();
    if (auto v = source.get(attribute(name, "Name"), ItemKind::String)) {
        font.name = std::get<std::string>(*v);
        any = true;
    }
    if (auto v = source.get(attribute(name, "Height"), ItemKind::Integer)) {
        font.height = std::get<std::int32_t>(*v);
        any = true;
    }
    if (auto v = source.get(attribute(name, "Color"), ItemKind::Integer)) {
        font.color = static_cast<TColor>(std::get<std::int32_t>(*v));
        any = true;
    }
    if (auto v = source.get(attribute(name, "Style"), ItemKind::Integer)) {
        const std::int32_t style = std::get<std::int32_t>(*v);
        font.bold = (style & kBold) != 0;
        font.italic = (style & kItalic) != 0;
        font.underline = (style & kUnderline) != 0;
        font.strikeout = (style & kStrikeout) != 0;
        any = true;
    }
    if (!any) return std::nullopt;
    return std::optional<Font>(font);
}

StoredItem toItem(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) -> StoredItem {
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::optional<Font>>) {
                return false;  // fonts are saved attribute by attribute
            } else {
                return v;
            }
        },
        value);
}

PropertyValue toValue(const StoredItem& item) {
    return std::visit([](const auto& v) -> PropertyValue { return v; }, item);
}

}  // namespace

void saveProperties(const Control& control, ItemSink& sink) {
    for (const PropertyInfo& info : control.properties()) {
        if (!persisted(info)) continue;
        const PropertyValue value = info.get(control);
        if (info.storedDefault) {
            const auto stored = parseProperty(info, *info.storedDefault);
            if (stored && *stored == value) continue;
        }
        if (info.type == PropType::Font) {
            saveFont(info.name, std::get<std::optional<Font>>(value), sink);
        } else {
            sink.put(info.name, toItem(value));
        }
    }
}

void loadProperties(Control& control, ItemSource& source) {
    std::vector<std::pair<const PropertyInfo*, PropertyValue>> applied;
    for (const PropertyInfo& info : control.properties()) {
        if (!persisted(info)) continue;
        if (info.type == PropType::Font) {
            const auto current = std::get<std::optional<Font>>(info.get(control));
            if (auto font = loadFont(info.name, current, source)) info.set(control, *font);
            continue;
        }
        std::optional<PropertyValue> value;
        if (auto item = source.get(info.name, kindOf(info.type))) {
            value = toValue(*item);
        } else if (info.storedDefault) {
            value = parseProperty(info, *info.storedDefault);
        }
        // A value of another type than the table's (a hostile document) is left out.
        if (!value || value->index() != info.get(control).index()) continue;
        info.set(control, *value);
        applied.emplace_back(&info, std::move(*value));
    }
    // Some setters work out other properties anew (a symbol size sets the hexagon sizes); the
    // values the document holds for those win, as they did when it was saved.
    for (const auto& [info, value] : applied) {
        if (info->get(control) != value) info->set(control, value);
    }
}

}  // namespace qv::activex
