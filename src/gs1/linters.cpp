#include "gs1/linters.h"

#include <algorithm>
#include <array>

namespace qv::gs1 {
namespace {

struct Entry {
    std::string_view name;
    Linter linter;
};

// Alphabetical, for binary search.
constexpr std::array kLinters{
    Entry{"csum", lint::csum},
    Entry{"csumalpha", lint::csumalpha},
    Entry{"hasnondigit", lint::hasnondigit},
    Entry{"hh", lint::hh},
    Entry{"hhmi", lint::hhmi},
    Entry{"hyphen", lint::hyphen},
    Entry{"iban", lint::iban},
    Entry{"iso3166", lint::iso3166},
    Entry{"iso3166999", lint::iso3166999},
    Entry{"iso3166alpha2", lint::iso3166alpha2},
    Entry{"iso5218", lint::iso5218},
    Entry{"latitude", lint::latitude},
    Entry{"longitude", lint::longitude},
    Entry{"mi", lint::mi},
    Entry{"nonzero", lint::nonzero},
    Entry{"nozeroprefix", lint::nozeroprefix},
    Entry{"pcenc", lint::pcenc},
    Entry{"pieceoftotal", lint::pieceoftotal},
    Entry{"posinseqslash", lint::posinseqslash},
    Entry{"ss", lint::ss},
    Entry{"winding", lint::winding},
    Entry{"yesno", lint::yesno},
    Entry{"yymmd0", lint::yymmd0},
    Entry{"yymmdd", lint::yymmdd},
    Entry{"yyyymmd0", lint::yyyymmd0},
    Entry{"yyyymmdd", lint::yyyymmdd},
    Entry{"zero", lint::zero},
};
static_assert(std::is_sorted(kLinters.begin(), kLinters.end(),
                             [](const Entry& a, const Entry& b) { return a.name < b.name; }));

constexpr auto kNames = [] {
    std::array<std::string_view, kLinters.size()> names{};
    for (std::size_t i = 0; i < kLinters.size(); ++i) names[i] = kLinters[i].name;
    return names;
}();

}  // namespace

Linter findLinter(std::string_view name) {
    const auto it = std::lower_bound(kLinters.begin(), kLinters.end(), name,
                                     [](const Entry& e, std::string_view n) { return e.name < n; });
    return it != kLinters.end() && it->name == name ? it->linter : nullptr;
}

std::span<const std::string_view> implementedLinters() {
    return kNames;
}

}  // namespace qv::gs1
