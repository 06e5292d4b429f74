#include "run.h"

#include <exception>
#include <ostream>

#include "batch.h"
#include "cli.h"
#include "info.h"
#include "options.h"
#include "output.h"
#include "property_setting.h"
#include "render.h"
#include "sizing.h"

namespace qv::cli {
namespace {

struct Job {
    const ControlEntry& entry;
    Control& control;
    const Options& options;
    std::string where;  // "quorvantix: " and the line of a batch
    std::optional<ImageFormat> format;
    std::vector<OutputFile> files;
    bool warned = false;
    bool failed = false;
};

// Applies the user's settings in command-line order, then --scale and --quiet-zone; the usage
// error, if any.
std::optional<std::string> applySettings(const ControlEntry& entry, Control& control,
                                         const Options& options) {
    std::set<std::string, std::less<>> userSet;
    for (const auto& a : options.assignments) {
        std::string_view name = a.name;
        if (a.option == kDataOption) name = entry.dataProperty;
        if (a.option == kTypeOption) {
            if (entry.typeProperty.empty())
                return std::string(entry.name) + " has no symbology to choose: -t does not apply";
            name = entry.typeProperty;
        }
        const SetResult r = setProperty(control, name, a.value);
        if (!r.error.empty()) return a.option + ": " + r.error;
        userSet.insert(r.property);
    }
    applySizing(entry, control, options.scale, options.quietZone);
    if (entry.beforePaint) entry.beforePaint(control, userSet);
    return std::nullopt;
}

void reportNotes(Job& job, const std::vector<Note>& notes, const std::string& prefix,
                 std::ostream& err) {
    for (const auto& note : notes) {
        const bool error = note.severity == Note::Severity::Error;
        err << job.where << (error ? "error: " : "warning: ") << prefix << note.text << '\n';
        (error ? job.failed : job.warned) = true;
    }
}

// Paints one image; the usage exit status when it cannot be sized.
std::optional<int> paintOne(Job& job, const std::string& path, const std::string& prefix,
                            std::ostream& err) {
    Rendered r = render(job.control, job.entry, job.options.size, job.format);
    if (!r.sizeError.empty()) {
        err << job.where << prefix << r.sizeError << '\n';
        return kExitUsage;
    }
    reportNotes(job, r.notes, prefix, err);
    if (job.format) job.files.push_back({path, std::move(r.bytes)});
    return std::nullopt;
}

std::optional<int> paintSegments(Job& job, std::ostream& err) {
    const int count = job.entry.prepareSegments(job.control);
    if (count <= 0) {
        reportNotes(job, job.control.notes(), "", err);
        if (!job.failed)
            err << job.where << "error: "
                << (count == 0 ? "there is no data to split into segments"
                               : "the data cannot be split into segments with these settings")
                << '\n';
        job.failed = true;
        return std::nullopt;
    }
    const std::string output = job.options.output.value_or("");
    for (int s = 0; s < count; ++s) {
        job.entry.selectSegment(job.control, s);
        const std::string prefix =
            "segment " + std::to_string(s + 1) + " of " + std::to_string(count) + ": ";
        if (auto status = paintOne(job, segmentPath(output, s + 1), prefix, err)) return status;
    }
    return std::nullopt;
}

int paintAndWrite(const ControlEntry& entry, const Options& options, std::ostream& out,
                  std::ostream& err, std::string where) {
    const auto control = entry.create();
    Job job{entry, *control, options, std::move(where), std::nullopt, {}};
    if (options.output) {
        job.format = imageFormatOf(*options.output);
        if (!job.format) {
            err << job.where << "-o " << *options.output
                << ": the file name must end in .png or .svg\n";
            return kExitUsage;
        }
    }
    if (options.macro && !entry.prepareSegments) {
        err << job.where << "--macro does not apply to " << entry.name << '\n';
        return kExitUsage;
    }
    if (auto problem = sizingProblem(entry, options.scale, options.quietZone)) {
        err << job.where << *problem << '\n';
        return kExitUsage;
    }
    if (auto problem = applySettings(entry, *control, options)) {
        err << job.where << *problem << '\n';
        return kExitUsage;
    }

    const auto status = options.macro ? paintSegments(job, err)
                                      : paintOne(job, options.output.value_or(""), "", err);
    if (status) return *status;
    if (options.info) printValues(out, *control);
    if (job.failed) {
        if (options.output) err << job.where << "no file written\n";
        return kExitNotRepresentable;
    }
    if (job.warned && options.strict) {
        if (options.output) err << job.where << "no file written (--strict)\n";
        return kExitStrictWarnings;
    }
    std::string error;
    FolderSync own;
    FolderSync* sync = options.syncInto ? options.syncInto : options.sync ? &own : nullptr;
    if (!writeAll(job.files, error, sync) || !own.flush(&error)) {
        err << job.where << error << '\n';
        return kExitOutputFailed;
    }
    return kExitOk;
}

int execute(std::span<const ControlEntry> controls, const Options& options, std::ostream& out,
            std::ostream& err, const Environment& environment) {
    if (options.control.empty()) {
        printUsage(options.help ? out : err, controls);
        return options.help ? kExitOk : kExitUsage;
    }
    const ControlEntry* entry = findControl(controls, options.control);
    if (!entry) {
        err << "quorvantix: unknown control \"" << options.control << "\"; the controls are:";
        for (const auto& c : controls) err << ' ' << c.name;
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
    return makeSymbol(*entry, options, out, err, "");
}

}  // namespace

int makeSymbol(const ControlEntry& entry, const Options& options, std::ostream& out,
               std::ostream& err, std::string_view where) {
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
