#include "quorvantix/units.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace qv {
namespace {

// GS1 General Specifications, symbol specification table 1 (trade items scanned at the point
// of sale): magnifications 80 % to 200 % of the 0.330 mm nominal module.
constexpr std::array<XDimensionRange, 1> kRanges{{
    {"EAN13,EAN8,UPCA,UPCE", 0.264, 0.330, 0.660,
     "GS1 General Specifications, symbol specification table 1, retail point of sale"},
}};

constexpr double kLongestLength = 1000.0;  // mm

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != suffix[i]) return false;
    }
    return true;
}

std::optional<double> number(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > 24) return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The number before one of the units, times the unit's size.
std::optional<double> withUnit(std::string_view text,
                               std::span<const std::pair<std::string_view, double>> units) {
    for (const auto& [suffix, size] : units) {
        if (!endsWith(text, suffix)) continue;
        auto v = number(text.substr(0, text.size() - suffix.size()));
        if (!v) return std::nullopt;
        return *v * size;
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> parseLength(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, double>, 3> kUnits{
        {{"mm", 1.0}, {"mil", kMillimetresPerMil}, {"in", kMillimetresPerInch}}};
    const auto mm = withUnit(trimmed(text), kUnits);
    if (!mm || *mm < 0 || *mm > kLongestLength) return std::nullopt;
    return mm;
}

std::optional<double> parseDotsPerInch(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, double>, 3> kUnits{
        {{"dpi", 1.0}, {"dpmm", kMillimetresPerInch}, {"", 1.0}}};
    const auto dpi = withUnit(trimmed(text), kUnits);
    if (!dpi || *dpi < 1 || *dpi > 10000) return std::nullopt;
    return dpi;
}

std::optional<double> parseDotsPerMillimetre(std::string_view text) {
    text = trimmed(text);
    if (endsWith(text, "dpmm")) text.remove_suffix(4);
    const auto dpmm = number(text);
    if (!dpmm || *dpmm * kMillimetresPerInch < 1 || *dpmm * kMillimetresPerInch > 10000)
        return std::nullopt;
    return *dpmm * kMillimetresPerInch;
}

std::int32_t dotsFor(double millimetres, double dotsPerInch, std::int32_t least) {
    const double dots = std::nearbyint(millimetres * dotsPerInch / kMillimetresPerInch);
    if (!(dots >= least)) return least;  // also NaN
    return dots > 1e9 ? 1000000000 : static_cast<std::int32_t>(dots);
}

double millimetresOf(std::int64_t dots, double dotsPerInch) {
    return static_cast<double>(dots) * kMillimetresPerInch / dotsPerInch;
}

std::string describeDots(std::int64_t dots, double dotsPerInch) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.3f mm = %lld dot%s at %g dpi",
                  millimetresOf(dots, dotsPerInch), static_cast<long long>(dots),
                  dots == 1 ? "" : "s", dotsPerInch);
    return buf;
}

std::span<const XDimensionRange> xDimensionRanges() {
    return kRanges;
}

const XDimensionRange* xDimensionRangeOf(std::string_view symbology) {
    for (const auto& range : kRanges) {
        std::string_view list = range.symbologies;
        while (!list.empty()) {
            const auto comma = list.find(',');
            if (list.substr(0, comma) == symbology) return &range;
            if (comma == std::string_view::npos) break;
            list.remove_prefix(comma + 1);
        }
    }
    return nullptr;
}

}  // namespace qv
