// The quorvantix command: a generic host for the controls.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qv::cli {

// Runs the command with its arguments (without the program name); returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qv::cli
