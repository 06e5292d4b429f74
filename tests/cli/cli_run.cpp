#include "cli_run.h"

#include <sstream>

#include "run.h"

namespace qv::cli::test {

Outcome runOn(std::span<const ControlEntry> controls, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runWith(controls, args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

}  // namespace qv::cli::test
