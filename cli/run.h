// The command over any set of controls (the built-in ones, or others in tests).
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "registry.h"

namespace qv::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;  // also: a batch line failed
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStrictWarnings = 3;
inline constexpr int kExitNotRepresentable = 4;
inline constexpr int kExitVerifyFailed = 5;

// What the command may use beyond its arguments.
struct Environment {
    std::istream* input = nullptr;  // read by --batch -; none: standard input is refused
    bool progress = false;          // stderr is a terminal: a long batch shows its progress
};

int runWith(std::span<const ControlEntry> controls, const std::vector<std::string>& args,
            std::ostream& out, std::ostream& err, const Environment& environment = {});

// One symbol of a control, as the command makes it from the options (without --batch); messages
// on `err` carry `where` ("line 3: ") after the program name. Returns the exit status.
int runOne(const ControlEntry& entry, const Options& options, std::ostream& out, std::ostream& err,
           std::string_view where);

}  // namespace qv::cli
