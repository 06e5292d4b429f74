// The command over any set of controls (the built-in ones, or others in tests).
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "registry.h"

namespace qv::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStrictWarnings = 3;
inline constexpr int kExitNotRepresentable = 4;

int runWith(std::span<const ControlEntry> controls, const std::vector<std::string>& args,
            std::ostream& out, std::ostream& err);

}  // namespace qv::cli
