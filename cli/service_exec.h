// `quorvantix serve`: the HTTP service is a program of its own, so that the command does not load
// the HTTP and TLS libraries for every symbol it makes.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qv::cli {

inline constexpr const char* kServiceProgram = "quorvantix-serve";

// Replaces this process with the service program in `folder`, handing it `args` (those after
// "serve"). Returns only when that fails: the reason goes to `err`, and the status is 1.
int execService(const std::string& folder, const std::vector<std::string>& args, std::ostream& err);

// The folder of the running program (build tree and installed tree alike); empty if unknown.
std::string programFolder();

}  // namespace qv::cli
