// `quorvantix serve`: the HTTP service in the command's binary.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qv::service {

// Runs the service until SIGTERM or SIGINT (the arguments after "serve"); the exit status: 0 after
// a clean stop, 1 when it cannot listen, 2 for bad usage. Startup lines and the access log go to
// `err`.
int serve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qv::service
