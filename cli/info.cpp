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
           "                  [--size WxH] [--scale N] [--quiet-zone MODULES] [--info]\n"
           "                  [--strict] [--macro] [--sync]\n"
           "       quorvantix CONTROL [settings] --batch FILE|- -o PATTERN [-j N]\n"
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
        << kMaxImageSide << " a side and " << kMaxImagePixels
        << " pixels in all\n"
           "  --info            print every property after painting, as Name=Value\n"
           "  --strict          fail (status 3, no file) when the data was changed to fit\n"
           "  --macro           write every segment of a segmented symbol: FILE-001.png, ...\n"
           "  --sync            have every file written on disk before the command returns\n"
           "  --scale N         multiply the module size and the distances counted in modules\n"
           "                    (1 to "
        << kMaxScale
        << "; CONTROL --help names the properties it writes)\n"
           "  --quiet-zone MODULES  set the left and top margins to MODULES modules (0 to "
        << kMaxQuietZone
        << ")\n"
           "  --batch FILE|-    one symbol per line of FILE (- standard input): the data, or\n"
           "                    tab-separated NAME=VALUE fields; blank lines are skipped\n"
           "  -o PATTERN        with --batch: %d or %04d is the line number, {NAME} the value\n"
           "                    of the line's field NAME ({Code}: the data), %% a percent sign\n"
           "  -j N              batch threads (default: one per core, at most "
        << kMaxJobs
        << ")\n"
           "\nexit status: 0 written, 1 output failed (or a batch line failed), 2 bad usage,\n"
           "3 warnings with --strict, 4 the symbol cannot stand for the data\n";
}

void printControlHelp(std::ostream& out, const ControlEntry& entry, const Control& control) {
    out << entry.name << ": " << entry.summary << "\n-d sets " << entry.dataProperty;
    if (!entry.typeProperty.empty()) out << ", -t sets " << entry.typeProperty;
    out << '\n';
    if (!entry.scaled.empty()) {
        out << "--scale multiplies";
        for (std::size_t i = 0; i < entry.scaled.size(); ++i)
            out << (i == 0 ? " " : ", ") << entry.scaled[i];
        out << '\n';
    }
    if (!entry.moduleSize.empty()) {
        const FitMargins m = entry.margins.value_or(standardMargins(control));
        out << "--quiet-zone sets " << m.left;
        if (m.top != m.left) out << " and " << m.top;
        out << " to MODULES x " << entry.moduleSize << '\n';
    }
    out << "\nproperties:\n";
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
