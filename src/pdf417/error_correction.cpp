#include "pdf417/error_correction.h"

#include <array>
#include <utility>

namespace qv::pdf417 {

void appendErrorCorrection(std::span<std::int32_t> symbol, std::size_t n, std::int32_t level) {
    const auto a = ecCoefficients(level);
    const std::size_t k = a.size();
    // The register keeps sums left unreduced: each entry gathers at most k = 512 products below
    // 929^2, under 2^29, so only the feedback term needs reducing, once per codeword. Each step
    // writes the shifted register afresh, which compilers turn into vector code.
    // Entry 0 stays zero, so that a step is one pass over all k coefficients.
    constexpr auto kMost = static_cast<std::size_t>(ecCount(kMaxEcLevel)) + 1;
    std::array<std::int32_t, kMost> first{}, second{};
    std::int32_t* e = first.data();
    std::int32_t* next = second.data();
    const auto reduce = [](std::int32_t v) {
        const std::int32_t r = v % 929;
        return r < 0 ? r + 929 : r;
    };
    for (std::size_t p = 0; p < n; ++p) {
        const auto t = static_cast<std::int16_t>(reduce(symbol[p] % 929 + e[k]));
        for (std::size_t i = 0; i < k; ++i) next[i + 1] = e[i] - t * a[i];
        std::swap(e, next);
    }
    ++e;
    for (std::size_t i = 0; i < k; ++i) {
        const std::int32_t v = reduce(e[k - 1 - i]);
        symbol[n + i] = v == 0 ? 0 : 929 - v;
    }
}

}  // namespace qv::pdf417
