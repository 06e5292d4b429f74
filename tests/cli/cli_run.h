// Running the command in-process and looking at what it printed.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "registry.h"

namespace qv::cli::test {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runOn(std::span<const ControlEntry> controls, const std::vector<std::string>& args);

std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b);

// Whether `text` holds `line` as a whole line.
bool hasLine(const std::string& text, const std::string& line);

}  // namespace qv::cli::test
