// The options of `quorvantix serve`.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace qv::service {

struct ServeOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::size_t threads = 64;          // connections served at once
    std::size_t maxConnections = 256;  // held open; past it, new ones wait in the listen queue
    std::size_t renders = 0;           // symbols drawn at once; 0: one per hardware thread
    std::chrono::milliseconds timeLimit{10000};  // per request, from routing to the reply
    std::size_t maxQuery = 8000;                 // bytes of query string
    bool help = false;
};

// The HTTP library refuses request targets past 8192 bytes on its own (414).
inline constexpr std::size_t kMaxQueryLimit = 8000;

struct ServeUsageError {
    std::string message;
};

std::variant<ServeOptions, ServeUsageError> parseServeOptions(const std::vector<std::string>& args);

// The help text of `quorvantix serve --help`.
std::string serveUsage();

}  // namespace qv::service
