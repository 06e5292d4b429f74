#include "access_log.h"

#include <ctime>

namespace qv::service {
namespace {

void appendEscaped(std::string& out, std::string_view text, std::size_t limit) {
    constexpr char kHex[] = "0123456789ABCDEF";
    for (char c : text.substr(0, limit)) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F || c == '%') {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    if (text.size() > limit) out += "...";
}

}  // namespace

std::string accessLogLine(std::chrono::system_clock::time_point when, std::string_view method,
                          std::string_view path, int status, std::size_t bytes,
                          std::optional<std::chrono::microseconds> took) {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(when.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &utc);
    std::string line = stamp;
    line += '.';
    const auto millis = static_cast<int>(ms % 1000);
    line += static_cast<char>('0' + millis / 100);
    line += static_cast<char>('0' + millis / 10 % 10);
    line += static_cast<char>('0' + millis % 10);
    line += "Z ";
    appendEscaped(line, method.empty() ? "-" : method, 16);
    line += ' ';
    appendEscaped(line, path.empty() ? "-" : path, 512);
    line += ' ' + std::to_string(status) + ' ' + std::to_string(bytes) + ' ';
    line += took ? std::to_string(took->count()) + "us" : "-";
    return line + '\n';
}

}  // namespace qv::service
