#include "controls_json.h"

#include "json.h"
#include "quorvantix/host.h"

namespace qv::service {
namespace {

std::string_view typeName(PropType type) {
    switch (type) {
        case PropType::String:
            return "string";
        case PropType::Boolean:
            return "boolean";
        case PropType::Integer:
            return "integer";
        case PropType::Short:
            return "short";
        case PropType::Double:
            return "double";
        case PropType::Color:
            return "color";
        case PropType::Enum:
            return "enum";
        case PropType::Font:
            return "font";
    }
    return "string";
}

// `"key":"value"`, led by a comma unless it opens an object.
void member(std::string& out, std::string_view key, std::string_view value) {
    if (out.back() != '{') out += ',';
    out += jsonString(key);
    out += ':';
    out += jsonString(value);
}

void appendProperty(std::string& out, const PropertyInfo& info) {
    out += '{';
    member(out, "name", info.name);
    member(out, "type", typeName(info.type));
    member(out, "default", info.defaultText);
    member(out, "access", accessOf(info));
    member(out, "help", info.help);
    if (info.type == PropType::Enum) {
        out += ",\"values\":[";
        for (std::size_t i = 0; i < info.enumNames.size(); ++i) {
            if (i) out += ',';
            out += jsonString(info.enumNames[i]);
        }
        out += ']';
    }
    out += '}';
}

}  // namespace

std::string_view accessOf(const PropertyInfo& info) {
    return info.access == PropertyAccess::ReadWrite ? "read-write" : "read-only";
}

std::string controlsJson() {
    std::string out = "{\"controls\":[";
    bool firstKind = true;
    for (const ControlKind& kind : controlKinds()) {
        if (!firstKind) out += ',';
        firstKind = false;
        out += '{';
        member(out, "name", kind.name);
        member(out, "summary", kind.summary);
        member(out, "data", kind.dataProperty);
        member(out, "type", kind.typeProperty);
        out += ",\"properties\":[";
        const auto control = kind.create();
        bool first = true;
        for (const PropertyInfo& info : control->properties()) {
            if (!first) out += ',';
            first = false;
            appendProperty(out, info);
        }
        out += "]}";
    }
    out += "],\"options\":[";
    bool first = true;
    for (const HostOptionInfo& option : hostOptions()) {
        if (!first) out += ',';
        first = false;
        out += '{';
        member(out, "name", option.name);
        member(out, "argument", option.argument);
        member(out, "help", option.help);
        out += '}';
    }
    return out + "]}\n";
}

}  // namespace qv::service
