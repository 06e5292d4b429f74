#include "page/source_date.h"

#include <cstdlib>
#include <ctime>
#include <string_view>

namespace qv::page {
namespace {

constexpr std::int64_t kLastSecond = 253402300799;  // 9999-12-31T23:59:59Z

std::tm utc(std::int64_t seconds) {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&t, &parts);
    return parts;
}

}  // namespace

std::optional<std::int64_t> sourceDateEpoch() {
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (value == nullptr || *value == '\0') return std::nullopt;
    std::int64_t seconds = 0;
    for (const char c : std::string_view(value)) {
        if (c < '0' || c > '9') return std::nullopt;
        seconds = seconds * 10 + (c - '0');
        if (seconds > kLastSecond) return std::nullopt;
    }
    return seconds;
}

std::string pdfDate(std::int64_t seconds, std::size_t length) {
    const std::tm t = utc(seconds);
    char text[64];
    std::strftime(text, sizeof text, "(D:%Y%m%d%H%M%S", &t);
    std::string date = text;
    date += length == date.size() + 7 ? "+00'00)" : "Z)";
    return date.size() == length ? date : std::string();
}

std::string headerDate(std::int64_t seconds) {
    const std::tm t = utc(seconds);
    char text[40];
    // As the C library's asctime writes it, which cairo uses for the clock's time.
    std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y", &t);
    return text;
}

}  // namespace qv::page
