#include "run.h"

#include <exception>
#include <ostream>

#include "cli.h"
#include "info.h"
#include "options.h"
#include "output.h"
#include "property_setting.h"
#include "render.h"

namespace qv::cli {
namespace {

struct Job {
    const ControlEntry& entry;
    Control& control;
    const Options& options;
    std::optional<ImageFormat> format;
    std::vector<OutputFile> files;
    bool warned = false;
    bool failed = false;
};

// Applies the user's settings in command-line order; the usage error, if any.
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
    if (entry.beforePaint) entry.beforePaint(control, userSet);
    return std::nullopt;
}

void reportNotes(Job& job, const std::vector<Note>& notes, const std::string& prefix,
                 std::ostream& err) {
    for (const auto& note : notes) {
        const bool error = note.severity == Note::Severity::Error;
        err << "quorvantix: " << (error ? "error: " : "warning: ") << prefix << note.text << '\n';
        (error ? job.failed : job.warned) = true;
    }
}

// Paints one image; the usage exit status when it cannot be sized.
std::optional<int> paintOne(Job& job, const std::string& path, const std::string& prefix,
                            std::ostream& err) {
    Rendered r = render(job.control, job.entry, job.options.size, job.format);
    if (!r.sizeError.empty()) {
        err << "quorvantix: " << prefix << r.sizeError << '\n';
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
            err << "quorvantix: error: "
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

int execute(std::span<const ControlEntry> controls, const Options& options, std::ostream& out,
            std::ostream& err) {
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
    const auto control = entry->create();
    if (options.help) {
        printControlHelp(out, *entry, *control);
        return kExitOk;
    }
    Job job{*entry, *control, options, std::nullopt, {}};
    if (options.output) {
        job.format = imageFormatOf(*options.output);
        if (!job.format) {
            err << "quorvantix: -o " << *options.output
                << ": the file name must end in .png or .svg\n";
            return kExitUsage;
        }
    }
    if (options.macro && !entry->prepareSegments) {
        err << "quorvantix: --macro does not apply to " << entry->name << '\n';
        return kExitUsage;
    }
    if (auto problem = applySettings(*entry, *control, options)) {
        err << "quorvantix: " << *problem << '\n';
        return kExitUsage;
    }

    const auto status = options.macro ? paintSegments(job, err)
                                      : paintOne(job, options.output.value_or(""), "", err);
    if (status) return *status;
    if (options.info) printValues(out, *control);
    if (job.failed) {
        if (options.output) err << "quorvantix: no file written\n";
        return kExitNotRepresentable;
    }
    if (job.warned && options.strict) {
        if (options.output) err << "quorvantix: no file written (--strict)\n";
        return kExitStrictWarnings;
    }
    std::string error;
    if (!writeAll(job.files, error)) {
        err << "quorvantix: " << error << '\n';
        return kExitOutputFailed;
    }
    return kExitOk;
}

}  // namespace

int runWith(std::span<const ControlEntry> controls, const std::vector<std::string>& args,
            std::ostream& out, std::ostream& err) {
    auto parsed = parseArguments(args);
    if (auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "quorvantix: " << usage->message << "\n(quorvantix --help shows the usage)\n";
        return kExitUsage;
    }
    try {
        return execute(controls, std::get<Options>(parsed), out, err);
    } catch (const std::exception& e) {
        // Out of memory for an image, or a fault below; nothing has been written.
        err << "quorvantix: " << e.what() << '\n';
        return kExitOutputFailed;
    }
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runWith(builtinControls(), args, out, err);
}

}  // namespace qv::cli
