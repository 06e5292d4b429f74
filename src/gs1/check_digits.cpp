// Check digits and check characters of GS1 keys, and the IBAN's.
#include <array>

#include "gs1/charsets.h"
#include "gs1/dictionary.h"
#include "gs1/linters.h"

namespace qv::gs1::lint {
namespace {

// The check character pair is two characters of CSET 32.
constexpr std::string_view kCset32 = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
// Weights of the check pair, from the character before the pair leftwards.
constexpr std::array<int, 30> kPrimes{2,  3,  5,  7,  11, 13,  17,  19,  23,  29,
                                      31, 37, 41, 43, 47, 53,  59,  61,  67,  71,
                                      73, 79, 83, 89, 97, 101, 103, 107, 109, 113};

}  // namespace

std::optional<LintFault> csum(std::string_view s) {
    if (s.empty()) return LintFault{0, "no check digit"};
    // Weights 3, 1, 3, ... from the digit left of the check digit.
    int sum = 0;
    int weight = 3;
    for (std::size_t i = s.size() - 1; i-- > 0;) {
        sum += (s[i] - '0') * weight;
        weight = 4 - weight;
    }
    const char expected = static_cast<char>('0' + (10 - sum % 10) % 10);
    if (s.back() == expected) return std::nullopt;
    return LintFault{s.size() - 1,
                     std::string("check digit is ") + s.back() + ", should be " + expected};
}

std::optional<LintFault> csumalpha(std::string_view s) {
    if (s.size() < 2) return LintFault{0, "too short for its check character pair"};
    const std::size_t body = s.size() - 2;
    if (body > kPrimes.size())
        return LintFault{0, "too long for the check character pair's weights"};
    int sum = 0;
    for (std::size_t i = 0; i < body; ++i) {
        const auto value = kCset82.find(s[body - 1 - i]);
        if (value == std::string_view::npos) return LintFault{body - 1 - i, "not in CSET 82"};
        sum += static_cast<int>(value) * kPrimes[i];
    }
    sum %= 1021;
    const std::string expected{kCset32[static_cast<std::size_t>(sum / 32)],
                               kCset32[static_cast<std::size_t>(sum % 32)]};
    if (s.substr(body) == expected) return std::nullopt;
    return LintFault{
        body, "check characters are " + std::string(s.substr(body)) + ", should be " + expected};
}

std::optional<LintFault> iban(std::string_view s) {
    if (s.size() < 5) return LintFault{0, "IBAN too short"};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool digit = c >= '0' && c <= '9';
        const bool upper = c >= 'A' && c <= 'Z';
        if (i < 2 ? !upper : i < 4 ? !digit : !(digit || upper))
            return LintFault{i, "IBAN has '" + std::string(1, c) + "' where " +
                                    (i < 2   ? "a country letter"
                                     : i < 4 ? "a check digit"
                                             : "a digit or capital letter") +
                                    " belongs"};
    }
    if (!isCountryAlpha2(s.substr(0, 2)))
        return LintFault{0, std::string(s.substr(0, 2)) + " is not an ISO 3166 country code"};
    // Mod 97 of the number that the account part followed by country and check digits spells,
    // with letters as 10 to 35: the remainder must be 1.
    int remainder = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const char c = s[(k + 4) % s.size()];
        if (c >= 'A' && c <= 'Z')
            remainder = (remainder * 100 + (c - 'A' + 10)) % 97;
        else
            remainder = (remainder * 10 + (c - '0')) % 97;
    }
    if (remainder == 1) return std::nullopt;
    return LintFault{2, "IBAN check digits " + std::string(s.substr(2, 2)) + " do not match"};
}

}  // namespace qv::gs1::lint
