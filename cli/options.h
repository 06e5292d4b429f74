// The command's arguments, parsed but not yet checked against a control's properties.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "quorvantix/folder_sync.h"
#include "quorvantix/host.h"

namespace qv::cli {

// One property write, in command-line order. `option` names where it came from ("--set", "-d").
struct Assignment {
    std::string option;
    std::string name;
    std::string value;
};

// -o - writes the image to standard output.
inline constexpr std::string_view kStandardOutput = "-";

struct OutputFile;

struct Options {
    std::string control;
    std::vector<Assignment> assignments;
    std::optional<std::string> output;
    RenderOptions render;  // the host options: --size, --scale, --quiet-zone, --strict, ...
    bool info = false;
    bool macro = false;
    bool help = false;
    bool version = false;
    // Where a batch gathers the folders to flush once at its end; null: each run flushes its own.
    FolderSync* syncInto = nullptr;
    // Where a batch takes the finished files to write them itself; null: the run writes them.
    std::vector<OutputFile>* handOver = nullptr;
    std::optional<std::string> batch;  // --batch FILE or --csv FILE, "-" for standard input
    bool csv = false;                  // the batch is CSV with a header row
    std::optional<std::int32_t> jobs;  // -j N
};

// Largest -j the command takes.
inline constexpr std::int32_t kMaxJobs = 256;

// The message of a usage error.
struct UsageError {
    std::string message;
};

// Names of the shorthand properties (-d, -t) are filled in by the caller once the control is
// known; here they travel under the option's own name.
inline constexpr std::string_view kDataOption = "-d";
inline constexpr std::string_view kTypeOption = "-t";

std::variant<Options, UsageError> parseArguments(const std::vector<std::string>& args);

}  // namespace qv::cli
