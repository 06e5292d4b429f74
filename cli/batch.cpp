#include "batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>
#include <unordered_map>

#include "csv_reader.h"
#include "output.h"
#include "quorvantix/host.h"
#include "write_queue.h"

namespace qv::cli {
namespace {

std::string safeFileText(std::string_view value) {
    std::string s(value.substr(0, 100));
    for (char& c : s) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!keep) c = '_';
    }
    if (!s.empty() && s[0] == '.') s[0] = '_';
    return s;
}

enum class LineRead : std::uint8_t { Line, TooLong, End };

// One line without its end (and without a carriage return before it), never more than
// kMaxBatchLine characters held.
LineRead readLine(std::streambuf& input, std::string& line) {
    line.clear();
    bool any = false;
    bool tooLong = false;
    for (;;) {
        const int c = input.sbumpc();
        if (c == std::char_traits<char>::eof()) {
            if (!any) return LineRead::End;
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() < kMaxBatchLine)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return tooLong ? LineRead::TooLong : LineRead::Line;
}

// Lines of a regular file, counted ahead for the progress bar; nullopt for anything else.
std::optional<std::uint64_t> countLines(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::uint64_t lines = 0;
    char last = '\n';
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        const auto n = static_cast<std::size_t>(file.gcount());
        lines += static_cast<std::uint64_t>(std::count(buffer, buffer + n, '\n'));
        last = buffer[n - 1];
    }
    return lines + (last == '\n' ? 0 : 1);
}

// Shown on a terminal only, redrawn at most ten times a second.
class Progress {
  public:
    Progress(std::ostream& err, bool terminal, std::optional<std::uint64_t> total)
        : err_(err), terminal_(terminal), total_(total) {}

    // Before a message: clears the bar so the message starts its own line.
    void clear() {
        if (shown_) err_ << "\r\033[K";
        drawnAt_ = {};
    }
    void update(std::uint64_t done, bool last) {
        if (!terminal_) return;
        const auto now = std::chrono::steady_clock::now();
        const bool longBatch =
            (total_ && *total_ >= kProgressLines) || now - start_ >= std::chrono::seconds(1);
        if (!longBatch || (!last && now - drawnAt_ < std::chrono::milliseconds(100))) return;
        drawnAt_ = now;
        shown_ = true;
        err_ << "\rquorvantix: ";
        if (total_ && *total_ > 0) {
            const std::uint64_t shownDone = std::min(done, *total_);
            const auto filled = static_cast<std::size_t>(shownDone * 30 / *total_);
            err_ << '[' << std::string(filled, '#') << std::string(30 - filled, '.') << "] "
                 << shownDone << '/' << *total_ << " lines";
        } else {
            err_ << done << " lines";
        }
        if (last) err_ << '\n';
        err_.flush();
    }

  private:
    std::ostream& err_;
    bool terminal_;
    std::optional<std::uint64_t> total_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point drawnAt_{};
    bool shown_ = false;
};

// What the workers share: the input, read one line at a time, and stderr.
struct Shared {
    const ControlEntry& entry;
    const Options& options;
    const NamePattern& pattern;
    std::span<const PropertyInfo> table;
    std::streambuf& input;
    std::ostream& err;
    Progress progress;
    WriteQueue* writer = nullptr;  // puts the files in place
    FolderSync* sync = nullptr;
    // With --csv: the reader past the header, and the header's names.
    std::optional<CsvReader> csv{};
    std::vector<std::string> header{};

    std::mutex inputMutex{};
    std::atomic<bool> inputMayWait{false};  // a thread reads on where the input may make it wait
    std::uint64_t lineNumber = 0;
    std::uint64_t made = 0;  // lines handed out to be made, blank ones not counted
    std::atomic<bool> stop{false};
    // Names given so far, when the pattern has no counter to keep them apart.
    std::unordered_map<std::string, std::uint64_t> names{};

    std::mutex errMutex{};
    std::uint64_t done = 0;
    std::uint64_t failed = 0;
    // The messages of the first failed lines, by line number, shown at the end in order.
    std::map<std::uint64_t, std::string> shownFailures{};
    // Whether the first kStopAfter lines all failed with one message.
    std::string firstFailure{};
    std::uint64_t sameFailures = 0;
    bool varied = false;
};

struct LineJob {
    std::uint64_t number = 0;
    std::uint64_t ordinal = 0;
    std::string text;
    LineRead read = LineRead::End;
    bool fromCsv = false;
    std::vector<Assignment> fields;  // a CSV row's, already parsed
    std::string problem;             // why a CSV row cannot be used
};

// A CSV row as the fields of a tab line; an empty cell sets nothing.
void csvFields(const Shared& shared, CsvRecord& record, LineJob& job) {
    job.fields.clear();
    job.problem = record.error;
    if (!job.problem.empty()) return;
    if (record.fields.size() > shared.header.size()) {
        job.problem = std::to_string(record.fields.size()) + " fields, but the header names " +
                      std::to_string(shared.header.size());
        return;
    }
    for (std::size_t i = 0; i < record.fields.size(); ++i)
        if (!record.fields[i].empty())
            job.fields.push_back({"field", shared.header[i], std::move(record.fields[i])});
}

bool nextLine(Shared& shared, LineJob& job) {
    std::lock_guard lock(shared.inputMutex);
    if (shared.stop) return false;
    // Reading on may wait for the input (a pipe fed line by line): the files made so far are
    // put in place first, and those other threads hand over meanwhile (see work()).
    struct Waiting {
        std::atomic<bool>& flag;
        ~Waiting() { flag = false; }
    } waiting{shared.inputMayWait};
    if (shared.input.in_avail() <= 0) {
        shared.inputMayWait = true;
        shared.writer->nudge();
    }
    if (shared.csv) {
        CsvRecord record;
        do {
            if (!shared.csv->next(record)) return false;
            job.number = ++shared.lineNumber;
        } while (record.blank);
        job.fromCsv = true;
        job.read = LineRead::Line;
        csvFields(shared, record, job);
    } else {
        do {
            job.read = readLine(shared.input, job.text);
            if (job.read == LineRead::End) return false;
            job.number = ++shared.lineNumber;
        } while (job.read == LineRead::Line && job.text.empty());  // blank lines make no symbol
    }
    job.ordinal = ++shared.made;
    return true;
}

// A failure's messages without its line number, to tell whether lines fail the same way.
std::string withoutLineNumber(std::string text, std::uint64_t number) {
    const std::string where = "line " + std::to_string(number) + ": ";
    for (auto at = text.find(where); at != std::string::npos; at = text.find(where, at))
        text.erase(at, where.size());
    return text;
}

// Under shared.errMutex: keeps the first failures to show and stops a batch that only fails.
void noteFailure(Shared& shared, const LineJob& job, const std::string& messages) {
    shared.shownFailures.emplace(job.number, messages);
    if (shared.shownFailures.size() > kShownFailures)
        shared.shownFailures.erase(std::prev(shared.shownFailures.end()));
    if (job.ordinal > kStopAfter || shared.varied) return;
    std::string same = withoutLineNumber(messages, job.number);
    if (shared.sameFailures == 0)
        shared.firstFailure = std::move(same);
    else if (same != shared.firstFailure)
        shared.varied = true;
    if (!shared.varied && ++shared.sameFailures == kStopAfter) shared.stop = true;
}

// Makes the line's symbol; its messages go to `err`, the status is returned. `madeFolder` is the
// folder this thread last made or found, which the next line need not ask the kernel for again.
int runLine(Shared& shared, const LineJob& job, std::ostream& err, std::vector<OutputFile>* files,
            std::filesystem::path& madeFolder) {
    const std::string where = "line " + std::to_string(job.number) + ": ";
    if (job.read == LineRead::TooLong) {
        err << "quorvantix: " << where << "longer than " << kMaxBatchLine << " characters\n";
        return kExitUsage;
    }
    if (!job.problem.empty()) {
        err << "quorvantix: " << where << job.problem << '\n';
        return kExitUsage;
    }
    using Parsed = std::variant<std::vector<Assignment>, std::string>;
    auto parsed =
        job.fromCsv ? Parsed(job.fields) : parseBatchLine(job.text, shared.entry, shared.table);
    if (auto* problem = std::get_if<std::string>(&parsed)) {
        err << "quorvantix: " << where << *problem << '\n';
        return kExitUsage;
    }
    auto& fields = std::get<std::vector<Assignment>>(parsed);
    const NamePattern::Name name = shared.pattern.expand(job.number, fields);
    if (!name.error.empty()) {
        err << "quorvantix: " << where << name.error << '\n';
        return kExitUsage;
    }
    if (!shared.pattern.hasCounter()) {
        std::lock_guard lock(shared.inputMutex);
        const auto [it, fresh] = shared.names.emplace(name.path, job.number);
        if (!fresh) {
            err << "quorvantix: " << where << name.path << " is already the name of line "
                << it->second << '\n';
            return kExitUsage;
        }
    }
    // The folders the pattern names are made as they are needed.
    const auto folder = std::filesystem::path(name.path).parent_path();
    std::error_code ec;
    if (!folder.empty() && folder != madeFolder) {
        if (!std::filesystem::create_directories(folder, ec) && ec) {
            err << "quorvantix: " << where << "cannot make the folder " << folder.string() << ": "
                << ec.message() << '\n';
            return kExitOutputFailed;
        }
        madeFolder = folder;
    }
    Options options = shared.options;
    options.batch.reset();
    options.output = name.path;
    options.handOver = files;
    for (auto& field : fields) {
        // A field that only names the file is no property.
        if (field.option != kDataOption && shared.pattern.usesField(field.name) &&
            !findProperty(shared.table, field.name))
            continue;
        options.assignments.push_back(std::move(field));
    }
    std::ostringstream none;
    return runOne(shared.entry, options, none, err, where);
}

// Counts a line as done once its files are in place (or it failed), and shows its messages.
void finishLine(Shared& shared, const LineJob& job, int status, const std::string& messages) {
    std::lock_guard lock(shared.errMutex);
    ++shared.done;
    if (status != kExitOk) {
        ++shared.failed;
        noteFailure(shared, job, messages);
    } else if (job.ordinal <= kStopAfter) {
        shared.varied = true;
    }
    if (status == kExitOk && !messages.empty()) {
        shared.progress.clear();
        shared.err << messages;
    }
    shared.progress.update(shared.done, false);
}

void work(Shared& shared) {
    LineJob job;
    std::ostringstream messages;
    std::vector<OutputFile> files;
    std::filesystem::path madeFolder;
    while (nextLine(shared, job)) {
        messages.str({});
        files.clear();
        const int status = runLine(shared, job, messages, &files, madeFolder);
        if (status != kExitOk || files.empty()) {
            finishLine(shared, job, status, messages.str());
            continue;
        }
        shared.writer->push([&shared, job, text = messages.str(), out = std::move(files)] {
            std::string error;
            int written = kExitOk;
            std::string shown = text;
            try {
                if (!writeAll(out, error, shared.sync)) written = kExitOutputFailed;
            } catch (const std::exception& e) {
                error = e.what();
                written = kExitOutputFailed;
            }
            if (written != kExitOk)
                shown += "quorvantix: line " + std::to_string(job.number) + ": " + error + '\n';
            finishLine(shared, job, written, shown);
        });
        if (shared.inputMayWait) shared.writer->nudge();
    }
}

}  // namespace

std::variant<NamePattern, UsageError> NamePattern::parse(std::string_view text) {
    NamePattern pattern;
    auto literal = [&](std::string_view s) {
        if (pattern.parts_.empty() || pattern.parts_.back().kind != Part::Kind::Text)
            pattern.parts_.push_back({Part::Kind::Text, {}});
        pattern.parts_.back().text.append(s);
    };
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '%') {
            if (i + 1 < text.size() && text[i + 1] == '%') {
                literal("%");
                i += 2;
                continue;
            }
            std::size_t j = i + 1;
            const bool zeros = j < text.size() && text[j] == '0';
            int width = 0;
            while (j < text.size() && text[j] >= '0' && text[j] <= '9' && width < 100)
                width = width * 10 + (text[j++] - '0');
            if (j >= text.size() || text[j] != 'd' || width > 20)
                return UsageError{"-o: in a batch pattern, % starts %d, %0Nd (N up to 20) or %%"};
            pattern.parts_.push_back({Part::Kind::Counter, {}, width, zeros});
            pattern.hasCounter_ = true;
            i = j + 1;
        } else if (c == '{') {
            const auto close = text.find('}', i);
            if (close == std::string_view::npos || close == i + 1)
                return UsageError{"-o: in a batch pattern, { starts a field name: {NAME}"};
            pattern.parts_.push_back(
                {Part::Kind::Field, std::string(text.substr(i + 1, close - i - 1))});
            i = close + 1;
        } else {
            literal(text.substr(i, 1));
            ++i;
        }
    }
    const bool named = std::ranges::any_of(
        pattern.parts_, [](const Part& p) { return p.kind != Part::Kind::Text; });
    if (!named)
        return UsageError{
            "-o: a batch needs a name per line: put %d (the line number) or {NAME} "
            "(a field) in the pattern"};
    return pattern;
}

bool NamePattern::usesField(std::string_view name) const {
    return std::ranges::any_of(parts_, [&](const Part& p) {
        return p.kind == Part::Kind::Field && sameIgnoringCase(p.text, name);
    });
}

NamePattern::Name NamePattern::expand(std::uint64_t line,
                                      const std::vector<Assignment>& fields) const {
    Name result;
    for (const auto& part : parts_) {
        switch (part.kind) {
            case Part::Kind::Text:
                result.path += part.text;
                break;
            case Part::Kind::Counter: {
                std::string digits = std::to_string(line);
                if (digits.size() < static_cast<std::size_t>(part.width))
                    digits.insert(0, static_cast<std::size_t>(part.width) - digits.size(),
                                  part.zeros ? '0' : ' ');
                result.path += digits;
                break;
            }
            case Part::Kind::Field: {
                // The last field of that name, as the last setting wins.
                const auto it = std::ranges::find_if(
                    fields.rbegin(), fields.rend(),
                    [&](const Assignment& a) { return sameIgnoringCase(a.name, part.text); });
                if (it == fields.rend() || it->value.empty())
                    return {{},
                            "the field " + part.text + " that names the file is " +
                                (it == fields.rend() ? "missing" : "empty")};
                result.path += safeFileText(it->value);
                break;
            }
        }
    }
    return result;
}

namespace {

// "Code=1 X=2": NAME=VALUE fields of known properties, joined by spaces instead of tabs.
bool spacedFields(std::string_view line, std::span<const PropertyInfo> table) {
    if (table.empty() || line.find(' ') == std::string_view::npos) return false;
    std::size_t start = 0;
    while (start < line.size()) {
        auto end = line.find(' ', start);
        if (end == std::string_view::npos) end = line.size();
        const std::string_view field = line.substr(start, end - start);
        start = end + 1;
        if (field.empty()) continue;
        const auto eq = field.find('=');
        if (eq == std::string_view::npos || eq == 0 || !findProperty(table, field.substr(0, eq)))
            return false;
    }
    return true;
}

}  // namespace

std::variant<std::vector<Assignment>, std::string> parseBatchLine(
    std::string_view line, const ControlEntry& entry, std::span<const PropertyInfo> table) {
    std::vector<Assignment> fields;
    if (line.find('\t') == std::string_view::npos) {
        if (spacedFields(line, table))
            return "fields are separated by tabs, not spaces: \"" +
                   std::string(line.substr(0, 40)) + "\"";
        fields.push_back(
            {std::string(kDataOption), std::string(entry.dataProperty), std::string(line)});
        return fields;
    }
    std::size_t start = 0;
    while (start <= line.size()) {
        auto end = line.find('\t', start);
        if (end == std::string_view::npos) end = line.size();
        const std::string_view field = line.substr(start, end - start);
        start = end + 1;
        if (field.empty()) continue;
        const auto eq = field.find('=');
        if (eq == std::string_view::npos || eq == 0)
            return "a field is NAME=VALUE, not \"" + std::string(field.substr(0, 40)) + "\"";
        fields.push_back(
            {"field", std::string(field.substr(0, eq)), std::string(field.substr(eq + 1))});
    }
    return fields;
}

int runBatch(const ControlEntry& entry, const Options& options, std::ostream& err,
             const Environment& environment) {
    auto usage = [&](const std::string& message) {
        err << "quorvantix: " << message << '\n';
        return kExitUsage;
    };
    const std::string flag = options.csv ? "--csv" : "--batch";
    if (!options.output) return usage(flag + " needs -o PATTERN, such as label-%04d.png");
    if (options.info) return usage("--info does not apply to " + flag);
    auto parsed = NamePattern::parse(*options.output);
    if (auto* e = std::get_if<UsageError>(&parsed)) return usage(e->message);
    const NamePattern pattern = std::get<NamePattern>(std::move(parsed));
    if (!imageFormatOf(*options.output) && !options.output->ends_with('}'))
        return usage("-o " + *options.output +
                     ": the file name must end in .png, .svg, .pdf or .eps");

    std::ifstream file;
    std::streambuf* input = nullptr;
    std::optional<std::uint64_t> total;
    if (*options.batch == "-") {
        if (!environment.input) return usage(flag + " -: there is no standard input here");
        input = environment.input->rdbuf();
    } else {
        file.open(*options.batch, std::ios::binary);
        if (!file) return usage(flag + " " + *options.batch + ": cannot read the file");
        input = file.rdbuf();
        if (environment.progress) total = countLines(*options.batch);
    }
    if (!input) return usage(flag + ": no input");

    const auto prototype = entry.create();
    // Durable files at one flush per folder for the whole batch, not one per line.
    FolderSync sync;
    Options lineOptions = options;
    if (options.render.sync) lineOptions.syncInto = &sync;
    Shared shared{entry,
                  lineOptions,
                  pattern,
                  prototype->properties(),
                  *input,
                  err,
                  Progress(err, environment.progress, total)};
    if (options.csv) {
        shared.csv.emplace(*input, kMaxBatchLine);
        CsvRecord header;
        if (!shared.csv->next(header) || header.blank)
            return usage(flag + ": the first row names the fields, and it is empty");
        if (!header.error.empty()) return usage(flag + ": the header row: " + header.error);
        for (auto& name : header.fields) {
            if (name.empty() || name.find('=') != std::string::npos)
                return usage(flag + ": the header names a field \"" + name.substr(0, 40) +
                             "\"; a name is not empty and has no '='");
            for (const auto& seen : shared.header)
                if (sameIgnoringCase(seen, name))
                    return usage(flag + ": the header names " + name + " twice");
            shared.header.push_back(std::move(name));
        }
        // Rows are counted from the first after the header.
        if (total && *total > 0) --*total;
    }
    // Declared before the render threads, so that it outlives them and is drained after them.
    WriteQueue writer;
    shared.writer = &writer;
    shared.sync = lineOptions.syncInto;
    // By default a drawing thread per core but the one the writer keeps busy: on two cores a
    // second drawing thread only contends with the writer (measured slower, not faster).
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned drawing = std::max(1u, cores - 1);
    const auto jobs = static_cast<unsigned>(options.jobs.value_or(
        static_cast<std::int32_t>(std::min<unsigned>(drawing, static_cast<unsigned>(kMaxJobs)))));
    std::vector<std::jthread> threads;
    for (unsigned t = 1; t < jobs; ++t) {
        try {
            threads.emplace_back([&shared] { work(shared); });
        } catch (const std::system_error&) {
            break;  // fewer threads do the same work
        }
    }
    work(shared);
    threads.clear();
    writer.drain();

    shared.progress.update(shared.done, true);
    std::string flushError;
    if (!sync.flush(&flushError)) {
        err << "quorvantix: " << flushError << '\n';
        return kExitOutputFailed;
    }
    if (shared.failed > 0) {
        for (const auto& [number, messages] : shared.shownFailures) err << messages;
        if (shared.failed > shared.shownFailures.size())
            err << "quorvantix: " << shared.failed - shared.shownFailures.size()
                << " more failed lines not shown\n";
        if (shared.stop)
            err << "quorvantix: the first " << kStopAfter
                << " lines all failed the same way; the batch stopped\n";
        err << "quorvantix: " << shared.failed << " of " << shared.done
            << " lines failed, the first at line " << shared.shownFailures.begin()->first << '\n';
        return kExitOutputFailed;
    }
    return kExitOk;
}

}  // namespace qv::cli
