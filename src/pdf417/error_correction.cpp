#include "pdf417/error_correction.h"

#include <array>

namespace qv::pdf417 {

void appendErrorCorrection(std::span<std::int32_t> symbol, std::size_t n, std::int32_t level) {
    const auto a = ecCoefficients(level);
    const std::size_t k = a.size();
    // The register keeps sums left unreduced: each entry gathers at most k products below 929^2,
    // well inside 64 bits, so only the feedback term needs reducing, once per codeword.
    std::array<std::int64_t, static_cast<std::size_t>(ecCount(kMaxEcLevel))> e{};
    const auto reduce = [](std::int64_t v) {
        const std::int64_t r = v % 929;
        return r < 0 ? r + 929 : r;
    };
    for (std::size_t p = 0; p < n; ++p) {
        const std::int64_t t = reduce(symbol[p] + e[k - 1]);
        for (std::size_t i = k - 1; i >= 1; --i) e[i] = e[i - 1] - t * a[i];
        e[0] = -t * a[0];
    }
    for (std::size_t i = 0; i < k; ++i) {
        const std::int64_t v = reduce(e[k - 1 - i]);
        symbol[n + i] = static_cast<std::int32_t>(v == 0 ? 0 : 929 - v);
    }
}

}  // namespace qv::pdf417
