// An answer of the service, independent of the HTTP library that sends it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::service {

struct Reply {
    int status = 200;
    std::string contentType;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

// {"status": N, "error": MESSAGE} with `extra` (already JSON members, each led by a comma).
Reply errorReply(int status, std::string_view message, std::string_view extra = {});

}  // namespace qv::service
