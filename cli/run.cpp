#include "run.h"

#include <algorithm>
#include <exception>
#include <ostream>

#include "batch.h"
#include "cli.h"
#include "info.h"
#include "options.h"
#include "output.h"

namespace qv::cli {
namespace {

// The command's settings as a request of the host layer; the usage error, if any.
std::variant<SymbolRequest, std::string> toRequest(const ControlEntry& entry,
                                                   const Options& options) {
    SymbolRequest request;
    request.control = std::string(entry.name);
    request.options = options.render;
    request.segments = options.macro;
    for (const auto& a : options.assignments) {
        std::string name = a.name;
        if (a.option == kDataOption) name = entry.dataProperty;
        if (a.option == kTypeOption) {
            if (entry.typeProperty.empty())
                return std::string(entry.name) + " has no symbology to choose: -t does not apply";
            name = entry.typeProperty;
        }
        request.properties.emplace_back(std::move(name), a.value);
        request.origins.push_back(a.option);
    }
    return request;
}

void reportNotes(const std::vector<Note>& notes, std::string_view where, const std::string& prefix,
                 std::ostream& err) {
    for (const auto& note : notes) {
        const bool error = note.severity == Note::Severity::Error;
        err << where << (error ? "error: " : "warning: ") << prefix << note.text << '\n';
    }
}

int paintAndWrite(const ControlEntry& entry, const Options& options, std::ostream& out,
                  std::ostream& err, const std::string& where) {
    const bool toStdout = options.output == kStandardOutput;
    if (toStdout && options.macro) {
        err << where << "-o - writes one image; --macro writes a file per segment\n";
        return kExitUsage;
    }
    std::optional<ImageFormat> format;
    if (toStdout) {
        format = ImageFormat::Png;
    } else if (options.output) {
        format = imageFormatOf(*options.output);
        if (!format) {
            err << where << "-o " << *options.output
                << ": the file name must end in .png, .svg, .pdf or .eps\n";
            return kExitUsage;
        }
    }
    auto request = toRequest(entry, options);
    if (auto* problem = std::get_if<std::string>(&request)) {
        err << where << *problem << '\n';
        return kExitUsage;
    }
    const SymbolResult r = qv::makeSymbol(entry, std::get<SymbolRequest>(request), format);
    reportNotes(r.notes, where, "", err);
    for (const auto& check : r.notChecked) err << where << "not checked: " << check << '\n';
    for (std::size_t i = 0; i < r.images.size(); ++i) {
        const std::string prefix = options.macro && format != ImageFormat::Pdf
                                       ? "segment " + std::to_string(i + 1) + " of " +
                                             std::to_string(r.segmentCount) + ": "
                                       : "";
        reportNotes(r.images[i].notes, where, prefix, err);
        for (const auto& v : r.images[i].verifications)
            if (v.failed()) err << where << "error: " << prefix << v.message << '\n';
    }
    if (r.status == SymbolStatus::Usage) {
        err << where << r.message << '\n';
        return kExitUsage;
    }
    if (r.status == SymbolStatus::Unavailable) {
        err << where << r.message << '\n';
        return kExitOutputFailed;
    }
    if (!options.output && !options.info) {
        err << where << "nothing to write: give -o FILE (- for standard output), or --info\n";
        return kExitUsage;
    }
    if (options.info) {
        printValues(out, *r.control);
        for (const auto& fact : r.facts) out << fact << '\n';
        for (const auto& image : r.images)
            for (const auto& v : image.verifications)
                if (v.passed()) out << v.message << '\n';
    }
    if (r.status == SymbolStatus::NotRepresentable) {
        if (options.output) err << where << "no file written\n";
        return kExitNotRepresentable;
    }
    if (r.status == SymbolStatus::VerifyFailed) {
        if (options.output) err << where << "no file written (--verify)\n";
        return kExitVerifyFailed;
    }
    if (r.status == SymbolStatus::StrictWarnings) {
        if (options.output) err << where << "no file written (--strict)\n";
        return kExitStrictWarnings;
    }
    if (toStdout) {
        const auto& bytes = r.images.front().bytes;
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            err << where << "cannot write to standard output\n";
            return kExitOutputFailed;
        }
        return kExitOk;
    }
    std::vector<OutputFile> files;
    if (format) {
        for (std::size_t i = 0; i < r.images.size(); ++i)
            // A PDF holds every segment as a page of one file.
            files.push_back({options.macro && format != ImageFormat::Pdf
                                 ? segmentPath(*options.output, static_cast<int>(i) + 1)
                                 : *options.output,
                             r.images[i].bytes});
    }
    if (options.handOver) {
        *options.handOver = std::move(files);
        return kExitOk;
    }
    std::string error;
    FolderSync own;
    FolderSync* sync = options.syncInto ? options.syncInto : options.render.sync ? &own : nullptr;
    if (!writeAll(files, error, sync) || !own.flush(&error)) {
        err << where << error << '\n';
        return kExitOutputFailed;
    }
    return kExitOk;
}

int execute(std::span<const ControlEntry> controls, const Options& options, std::ostream& out,
            std::ostream& err, const Environment& environment) {
    if (options.version) {
        out << "quorvantix " << QV_VERSION << '\n';
        return kExitOk;
    }
    if (options.control.empty()) {
        printUsage(options.help ? out : err, controls);
        return options.help ? kExitOk : kExitUsage;
    }
    const ControlEntry* entry = findControl(controls, options.control);
    if (!entry) {
        err << "quorvantix: unknown control \"" << options.control << "\"; the controls are:";
        std::vector<std::string_view> names;
        for (const auto& c : controls) {
            err << ' ' << c.name;
            names.push_back(c.name);
        }
        const std::string suggestion = didYouMean(options.control, names);
        err << suggestion;
        err << '\n';
        return kExitUsage;
    }
    if (options.help) {
        printControlHelp(out, *entry, *entry->create());
        return kExitOk;
    }
    if (options.batch) return runBatch(*entry, options, err, environment);
    if (options.jobs) {
        err << "quorvantix: -j applies to --batch only\n";
        return kExitUsage;
    }
    return runOne(*entry, options, out, err, "");
}

}  // namespace

int runOne(const ControlEntry& entry, const Options& options, std::ostream& out, std::ostream& err,
           std::string_view where) {
    const std::string prefix = "quorvantix: " + std::string(where);
    try {
        return paintAndWrite(entry, options, out, err, prefix);
    } catch (const std::exception& e) {
        // Out of memory for an image, or a fault below; nothing has been written.
        err << prefix << e.what() << '\n';
        return kExitOutputFailed;
    }
}

int runWith(std::span<const ControlEntry> controls, const std::vector<std::string>& args,
            std::ostream& out, std::ostream& err, const Environment& environment) {
    auto parsed = parseArguments(args);
    if (auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "quorvantix: " << usage->message << "\n(quorvantix --help shows the usage)\n";
        return kExitUsage;
    }
    try {
        return execute(controls, std::get<Options>(parsed), out, err, environment);
    } catch (const std::exception& e) {
        // Out of memory for an image, or a fault below; nothing has been written.
        err << "quorvantix: " << e.what() << '\n';
        return kExitOutputFailed;
    }
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runWith(builtinControls(), args, out, err);
}

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, bool errIsTerminal) {
    return runWith(builtinControls(), args, out, err, {.input = &in, .progress = errIsTerminal});
}

}  // namespace qv::cli
