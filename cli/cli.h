// The quorvantix command: a generic host for the controls.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qv::cli {

// Runs the command with its arguments (without the program name); returns the exit status.
// --batch - finds no input here.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// As the program runs it: --batch - reads `in`; a long batch shows its progress on `err` when
// `errIsTerminal`.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, bool errIsTerminal);

}  // namespace qv::cli
