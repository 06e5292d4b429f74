// Checks of values and codes in GS1 data.
#include <cstdint>

#include "gs1/dictionary.h"
#include "gs1/linters.h"

namespace qv::gs1::lint {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<LintFault> oneOf(std::string_view s, std::string_view allowed,
                               std::string_view what) {
    if (s.size() == 1 && allowed.find(s[0]) != std::string_view::npos) return std::nullopt;
    return LintFault{0, std::string(s) + " is not " + std::string(what)};
}

std::optional<LintFault> atMost(std::string_view s, std::uint64_t limit, std::string_view what) {
    std::uint64_t v = 0;
    for (const char c : s) {
        if (!isDigit(c)) return LintFault{0, std::string(what) + " must be digits"};
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
        if (v > limit) break;
    }
    if (v <= limit) return std::nullopt;
    return LintFault{
        0, std::string(what) + " " + std::string(s) + " is above " + std::to_string(limit)};
}

}  // namespace

std::optional<LintFault> nonzero(std::string_view s) {
    if (s.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
    return LintFault{0, std::string(s) + " is zero, must not be"};
}

std::optional<LintFault> zero(std::string_view s) {
    if (s == "0") return std::nullopt;
    return LintFault{0, std::string(s) + " must be 0"};
}

std::optional<LintFault> nozeroprefix(std::string_view s) {
    if (s.size() < 2 || s[0] != '0') return std::nullopt;
    return LintFault{0, std::string(s) + " starts with 0, must not"};
}

std::optional<LintFault> yesno(std::string_view s) {
    return oneOf(s, "01", "0 (no) or 1 (yes)");
}

std::optional<LintFault> pieceoftotal(std::string_view s) {
    if (s.size() != 4) return LintFault{0, "piece and total need 4 digits"};
    const std::string_view piece = s.substr(0, 2), total = s.substr(2, 2);
    if (total == "00") return LintFault{2, "total 00 must not be zero"};
    if (piece == "00") return LintFault{0, "piece 00 must not be zero"};
    if (piece > total)
        return LintFault{
            0, "piece " + std::string(piece) + " is beyond the total " + std::string(total)};
    return std::nullopt;
}

std::optional<LintFault> hasnondigit(std::string_view s) {
    for (const char c : s)
        if (!isDigit(c)) return std::nullopt;
    return LintFault{0, std::string(s) + " has only digits, needs a non-digit"};
}

std::optional<LintFault> iso3166(std::string_view s) {
    if (isCountryNumeric(s)) return std::nullopt;
    return LintFault{0, std::string(s) + " is not an ISO 3166 country code"};
}

std::optional<LintFault> iso3166999(std::string_view s) {
    if (s == "999" || isCountryNumeric(s)) return std::nullopt;
    return LintFault{0, std::string(s) + " is not an ISO 3166 country code nor 999"};
}

std::optional<LintFault> iso3166alpha2(std::string_view s) {
    if (isCountryAlpha2(s)) return std::nullopt;
    return LintFault{0, std::string(s) + " is not an ISO 3166 alpha-2 country code"};
}

std::optional<LintFault> iso5218(std::string_view s) {
    return oneOf(s, "0129", "an ISO 5218 sex code (0, 1, 2 or 9)");
}

std::optional<LintFault> winding(std::string_view s) {
    return oneOf(s, "019", "a winding direction (0, 1 or 9)");
}

std::optional<LintFault> hyphen(std::string_view s) {
    return oneOf(s, "-", "a hyphen");
}

std::optional<LintFault> pcenc(std::string_view s) {
    auto hex = [](char c) {
        return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') continue;
        if (i + 2 >= s.size() || !hex(s[i + 1]) || !hex(s[i + 2]))
            return LintFault{i, "% is not followed by two hexadecimal digits"};
        i += 2;
    }
    return std::nullopt;
}

// Degrees offset to be positive, in units of 10^-7 degree.
std::optional<LintFault> latitude(std::string_view s) {
    return atMost(s, 1800000000, "latitude");
}

std::optional<LintFault> longitude(std::string_view s) {
    return atMost(s, 3599999999, "longitude");
}

std::optional<LintFault> posinseqslash(std::string_view s) {
    const auto slash = s.find('/');
    if (slash == 0 || slash == std::string_view::npos || slash + 1 == s.size())
        return LintFault{0, std::string(s) + " is not POSITION/TOTAL"};
    const std::string_view pos = s.substr(0, slash), total = s.substr(slash + 1);
    for (std::size_t i = 0; i < s.size(); ++i)
        if (i != slash && !isDigit(s[i]))
            return LintFault{i, std::string(s) + " is not POSITION/TOTAL"};
    const auto value = [](std::string_view d) {
        int v = 0;
        for (const char c : d) v = v * 10 + (c - '0');
        return v;
    };
    if (pos[0] == '0' || total[0] == '0')
        return LintFault{0, std::string(s) + ": position and total must start with 1 to 9"};
    if (value(pos) > value(total))
        return LintFault{0, std::string(s) + ": the position is beyond the total"};
    return std::nullopt;
}

}  // namespace qv::gs1::lint
