#include "serve_options.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace qv::service {
namespace {

std::optional<long long> wholeNumber(std::string_view text, long long min, long long max) {
    long long v = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc{} || ptr != end || v < min || v > max) return std::nullopt;
    return v;
}

// "HOST:PORT", "[IPv6]:PORT" or ":PORT" (all interfaces).
std::optional<std::string> parseListen(std::string_view text, ServeOptions& options) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return "--listen takes ADDR:PORT";
    std::string_view host = text.substr(0, colon);
    const auto port = wholeNumber(text.substr(colon + 1), 0, 65535);
    if (!port) return "--listen: the port must be a number from 0 to 65535";
    if (host.starts_with('[') && host.ends_with(']')) host = host.substr(1, host.size() - 2);
    if (host.empty()) host = "0.0.0.0";
    options.host = std::string(host);
    options.port = static_cast<int>(*port);
    return std::nullopt;
}

}  // namespace

std::string serveUsage() {
    return "usage: quorvantix serve [options]\n"
           "  --listen ADDR:PORT       address to listen on (default 127.0.0.1:8080; port 0: any)\n"
           "  --threads N              connections served at once (default 64)\n"
           "  --max-connections N      connections held open, served and waiting; past it, new\n"
           "                           ones wait in the listen queue (default 256)\n"
           "  --renders N              symbols drawn at once (default: one per hardware thread)\n"
           "  --time-limit MS          longest time for one request, then 503 (default 10000)\n"
           "  --max-query BYTES        longest query string, then 414 (default and most 8000)\n";
}

std::variant<ServeOptions, ServeUsageError> parseServeOptions(
    const std::vector<std::string>& args) {
    ServeOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        std::string value;
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return ServeUsageError{name + " takes a value"};
        }
        auto number = [&](long long min, long long max) -> std::optional<long long> {
            return wholeNumber(value, min, max);
        };
        auto range = [&](long long min, long long max) {
            return ServeUsageError{name + " takes a whole number from " + std::to_string(min) +
                                   " to " + std::to_string(max)};
        };
        if (name == "--listen") {
            if (auto problem = parseListen(value, options)) return ServeUsageError{*problem};
        } else if (name == "--threads") {
            auto v = number(1, 1024);
            if (!v) return range(1, 1024);
            options.threads = static_cast<std::size_t>(*v);
        } else if (name == "--max-connections") {
            auto v = number(1, 65536);
            if (!v) return range(1, 65536);
            options.maxConnections = static_cast<std::size_t>(*v);
        } else if (name == "--renders") {
            auto v = number(1, 256);
            if (!v) return range(1, 256);
            options.renders = static_cast<std::size_t>(*v);
        } else if (name == "--time-limit") {
            auto v = number(1, 600000);
            if (!v) return range(1, 600000);
            options.timeLimit = std::chrono::milliseconds(*v);
        } else if (name == "--max-query") {
            auto v = number(1, kMaxQueryLimit);
            if (!v) return range(1, kMaxQueryLimit);
            options.maxQuery = static_cast<std::size_t>(*v);
        } else {
            return ServeUsageError{"unknown option " + name};
        }
    }
    return options;
}

}  // namespace qv::service
