#include "info.h"

#include <ostream>
#include <vector>

#include "options.h"

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

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    while (!text.empty()) {
        const auto space = text.find(' ');
        out.emplace_back(text.substr(0, space));
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
    }
    return out;
}

// The words in lines of at most 80 columns, the first after `head`, the others indented by
// `indent`.
void printWrapped(std::ostream& out, const std::string& head, std::size_t indent,
                  const std::vector<std::string>& items) {
    std::string line = head;
    if (line.size() < indent)
        line.resize(indent, ' ');
    else
        line += "  ";
    bool first = true;
    for (const auto& item : items) {
        if (!first && line.size() + 1 + item.size() > 80) {
            out << line << '\n';
            line.assign(indent, ' ');
            first = true;
        }
        if (!first) line += ' ';
        line += item;
        first = false;
    }
    out << line << '\n';
}

std::string spelled(const HostOptionInfo& option) {
    std::string s = "--";
    s += option.name;
    if (!option.argument.empty()) {
        s += ' ';
        s += option.argument;
    }
    return s;
}

}  // namespace

void printUsage(std::ostream& out, std::span<const ControlEntry> controls) {
    std::vector<std::string> synopsis{"[--info]", "[--macro]"};
    for (const auto& o : hostOptions()) synopsis.push_back('[' + spelled(o) + ']');
    out << "usage: quorvantix CONTROL [--set NAME=VALUE]... [-d TEXT] [-t TYPE] [-o FILE]\n";
    printWrapped(out, "", 18, synopsis);
    out << "       quorvantix CONTROL [settings] --batch|--csv FILE|- -o PATTERN [-j N]\n"
           "       quorvantix CONTROL --help   (lists the control's properties)\n"
           "\ncontrols:\n";
    for (const auto& c : controls) out << "  " << c.name << "  " << c.summary << '\n';
    out << "\noptions:\n"
           "  --set NAME=VALUE  set a published property (case-insensitive name); enumerations\n"
           "                    by member name or number, Booleans true/false/1/0, colours\n"
           "                    #RRGGBB or a number, fonts by Font.Name, Font.Height, ...\n"
           "  -d TEXT           set the data\n"
           "  -t TYPE           set the symbology (controls that have one)\n"
           "  -o FILE           write the symbol to FILE, PNG or SVG by its extension; - for a\n"
           "                    PNG on standard output\n"
           "  --info            print every property after painting, as Name=Value\n"
           "  --version         print the version\n"
           "  --macro           write every segment of a segmented symbol: FILE-001.png, ...\n";
    for (const auto& o : hostOptions()) printWrapped(out, "  " + spelled(o), 20, words(o.help));
    out << "  --batch FILE|-    one symbol per line of FILE (- standard input): the data, or\n"
           "                    tab-separated NAME=VALUE fields; blank lines are skipped\n"
           "  --csv FILE|-      as --batch, from CSV: the first row names the fields, each\n"
           "                    further row is one symbol; an empty cell sets nothing\n"
           "  -o PATTERN        with --batch: %d or %04d is the line number, {NAME} the value\n"
           "                    of the line's field NAME ({Code}: the data), %% a percent sign\n"
           "  -j N              drawing threads of a batch (default: one per core less the\n"
           "                    one that writes the files, at least 1, at most "
        << kMaxJobs
        << ")\n"
           "\nexit status: 0 written, 1 output failed (or a batch line failed), 2 bad usage,\n"
           "3 warnings with --strict, 4 the symbol cannot stand for the data, 5 it did not\n"
           "read back with --verify\n";
}

void printControlHelp(std::ostream& out, const ControlEntry& entry, const Control& control) {
    out << entry.name << ": " << entry.summary << "\n-d sets " << entry.dataProperty;
    if (!entry.typeProperty.empty()) out << ", -t sets " << entry.typeProperty;
    out << '\n';
    if (!entry.scaled.empty()) {
        out << "--scale multiplies";
        for (std::size_t i = 0; i < entry.scaled.size(); ++i)
            out << (i == 0 ? " " : ", ") << entry.scaled[i];
        if (!entry.scaledFont.empty()) out << " and the height of " << entry.scaledFont;
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
        if (!writableByHosts(p)) out << ", read-only";
        out << ", initially " << (p.defaultText.empty() ? "empty" : p.defaultText)
            << "): " << p.help << '\n';
        if (p.type == PropType::Enum && writableByHosts(p))
            out << "      " << expectedText(p) << '\n';
    }
}

void printValues(std::ostream& out, const Control& control) {
    for (const auto& p : control.properties())
        if (p.get) out << p.name << '=' << formatProperty(p, p.get(control)) << '\n';
}

}  // namespace qv::cli
