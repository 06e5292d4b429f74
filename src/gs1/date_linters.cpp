// Dates and times in GS1 data. Components arrive as digits of the right length.
#include "gs1/linters.h"

namespace qv::gs1::lint {
namespace {

int number(std::string_view s, std::size_t at, std::size_t n) {
    int v = 0;
    for (std::size_t i = at; i < at + n && i < s.size(); ++i) v = v * 10 + (s[i] - '0');
    return v;
}

std::string two(int v) {
    return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}

std::optional<LintFault> range(std::string_view s, std::size_t at, int low, int high,
                               std::string_view what) {
    if (s.size() < at + 2) return LintFault{at, std::string(what) + " missing"};
    const int v = number(s, at, 2);
    if (v >= low && v <= high) return std::nullopt;
    return LintFault{at,
                     std::string(what) + " " + two(v) + " is not " + two(low) + " to " + two(high)};
}

// A two-digit year is taken as leap when divisible by 4: right for every year from 1901 to 2099,
// the only window a two-digit GS1 year can stand for today.
std::optional<LintFault> date(std::string_view s, bool fullYear, bool dayZeroAllowed) {
    const std::size_t y = fullYear ? 4 : 2;
    if (s.size() != y + 4) return LintFault{0, "a date needs " + std::to_string(y + 4) + " digits"};
    const int year = number(s, 0, y);
    if (auto fault = range(s, y, 1, 12, "month")) return fault;
    const int month = number(s, y, 2);
    const bool leap =
        fullYear ? (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 : year % 4 == 0;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    const int day = number(s, y + 2, 2);
    if ((day == 0 && dayZeroAllowed) || (day >= 1 && day <= last)) return std::nullopt;
    return LintFault{y + 2, "day " + two(day) + " is not " + (dayZeroAllowed ? "00" : "01") +
                                " to " + two(last) + " in month " + two(month)};
}

}  // namespace

std::optional<LintFault> yymmdd(std::string_view s) {
    return date(s, false, false);
}
std::optional<LintFault> yymmd0(std::string_view s) {
    return date(s, false, true);
}
std::optional<LintFault> yyyymmdd(std::string_view s) {
    return date(s, true, false);
}
std::optional<LintFault> yyyymmd0(std::string_view s) {
    return date(s, true, true);
}
std::optional<LintFault> hh(std::string_view s) {
    return range(s, 0, 0, 23, "hour");
}
std::optional<LintFault> mi(std::string_view s) {
    return range(s, 0, 0, 59, "minute");
}
std::optional<LintFault> ss(std::string_view s) {
    return range(s, 0, 0, 59, "second");
}
std::optional<LintFault> hhmi(std::string_view s) {
    if (auto fault = range(s, 0, 0, 23, "hour")) return fault;
    return range(s, 2, 0, 59, "minute");
}

}  // namespace qv::gs1::lint
