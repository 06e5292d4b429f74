// Content checks of single data components, by the names the syntax dictionary gives them.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qv::gs1 {

struct LintFault {
    std::size_t offset;  // where in the component the fault starts
    std::string text;
};

// Each linter sees one component whose length and character set are already checked.
using Linter = std::optional<LintFault> (*)(std::string_view component);

// nullptr when the linter is not implemented (its check is then reported as skipped).
Linter findLinter(std::string_view name);
// The names findLinter knows, in alphabetical order.
std::span<const std::string_view> implementedLinters();

namespace lint {

// Check digits and characters.
std::optional<LintFault> csum(std::string_view s);
std::optional<LintFault> csumalpha(std::string_view s);
std::optional<LintFault> iban(std::string_view s);

// Dates and times: YYMMDD, YYYYMMDD (a "0" variant allows day 00), HH, MI, SS, HHMI.
std::optional<LintFault> yymmdd(std::string_view s);
std::optional<LintFault> yymmd0(std::string_view s);
std::optional<LintFault> yyyymmdd(std::string_view s);
std::optional<LintFault> yyyymmd0(std::string_view s);
std::optional<LintFault> hh(std::string_view s);
std::optional<LintFault> mi(std::string_view s);
std::optional<LintFault> ss(std::string_view s);
std::optional<LintFault> hhmi(std::string_view s);

// Values and codes.
std::optional<LintFault> nonzero(std::string_view s);
std::optional<LintFault> zero(std::string_view s);
std::optional<LintFault> nozeroprefix(std::string_view s);
std::optional<LintFault> yesno(std::string_view s);
std::optional<LintFault> pieceoftotal(std::string_view s);
std::optional<LintFault> hasnondigit(std::string_view s);
std::optional<LintFault> iso3166(std::string_view s);
std::optional<LintFault> iso3166999(std::string_view s);
std::optional<LintFault> iso3166alpha2(std::string_view s);
std::optional<LintFault> iso5218(std::string_view s);
std::optional<LintFault> winding(std::string_view s);
std::optional<LintFault> hyphen(std::string_view s);
std::optional<LintFault> pcenc(std::string_view s);
std::optional<LintFault> latitude(std::string_view s);
std::optional<LintFault> longitude(std::string_view s);
std::optional<LintFault> posinseqslash(std::string_view s);

}  // namespace lint
}  // namespace qv::gs1
