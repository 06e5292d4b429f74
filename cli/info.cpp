#include "info.h"

#include <ostream>

#include "options.h"
#include "property_setting.h"

namespace qv::cli {
namespace {

std::string_view typeName(PropType type) {
    switch (type) {
        case PropType::String:
            return "string";
        case PropType::Boolean:
            return "Boolean";
        case PropType::Integer:
            return "integer";
        case PropType::Short:
            return "short integer";
        case PropType::Double:
            return "real";
        case PropType::Color:
            return "colour";
        case PropType::Enum:
            return "enumeration";
        case PropType::Font:
            return "font";
    }
    return "";
}

}  // namespace

void printUsage(std::ostream& out, std::span<const ControlEntry> controls) {
    out << "usage: quorvantix CONTROL [--set NAME=VALUE]... [-d TEXT] [-t TYPE] [-o FILE]\n"
           "                  [--size WxH] [--info] [--strict] [--macro]\n"
           "       quorvantix CONTROL --help   (lists the control's properties)\n"
           "\ncontrols:\n";
    for (const auto& c : controls) out << "  " << c.name << "  " << c.summary << '\n';
    out << "\noptions:\n"
           "  --set NAME=VALUE  set a published property (case-insensitive name); enumerations\n"
           "                    by member name or number, Booleans true/false/1/0, colours\n"
           "                    #RRGGBB or a number, fonts by Font.Name, Font.Height, ...\n"
           "  -d TEXT           set the data\n"
           "  -t TYPE           set the symbology (controls that have one)\n"
           "  -o FILE           write the symbol to FILE, PNG or SVG by its extension\n"
           "  --size WxH        image size in pixels (default: fit the symbol and its margins);\n"
           "                    at most "
        << kMaxSide << " a side and " << kMaxPixels
        << " pixels in all\n"
           "  --info            print every property after painting, as Name=Value\n"
           "  --strict          fail (status 3, no file) when the data was changed to fit\n"
           "  --macro           write every segment of a segmented symbol: FILE-001.png, ...\n"
           "\nexit status: 0 written, 1 output failed, 2 bad usage, 3 warnings with --strict,\n"
           "4 the symbol cannot stand for the data\n";
}

void printControlHelp(std::ostream& out, const ControlEntry& entry, const Control& control) {
    out << entry.name << ": " << entry.summary << "\n-d sets " << entry.dataProperty;
    if (!entry.typeProperty.empty()) out << ", -t sets " << entry.typeProperty;
    out << "\n\nproperties:\n";
    for (const auto& p : control.properties()) {
        out << "  " << p.name << " (" << typeName(p.type);
        if (p.readOnly) out << ", read-only";
        out << ", initially " << (p.defaultText.empty() ? "empty" : p.defaultText)
            << "): " << p.help << '\n';
        if (p.type == PropType::Enum && !p.readOnly) out << "      " << expectedText(p) << '\n';
    }
}

void printValues(std::ostream& out, const Control& control) {
    for (const auto& p : control.properties())
        if (p.get) out << p.name << '=' << formatProperty(p, p.get(control)) << '\n';
}

}  // namespace qv::cli
