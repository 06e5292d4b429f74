#include "pdf417/error_correction.h"

#include <array>
#include <utility>

namespace qv::pdf417 {

void appendErrorCorrection(std::span<std::int32_t> symbol, std::size_t n, std::int32_t level) {
    const auto a = ecCoefficients(level);
    const std::size_t k = a.size();
    // The register keeps sums left unreduced: each entry gathers at most k = 512 products below
    // 929^2, under 2^29, so only the feedback term needs reducing, once per codeword. Each step
    // writes the shifted register afresh, which compilers turn into vector code; entry 0 stays
    // zero, so that a step is one pass over all k coefficients.
    constexpr auto kMost = static_cast<std::size_t>(ecCount(kMaxEcLevel)) + 1;
    std::array<std::int32_t, kMost> first{}, second{};
    std::int32_t* e = first.data();
    std::int32_t* next = second.data();
    // A multiple of 929 that lifts every sum above zero, so that the remainder is unsigned.
    constexpr std::uint32_t kLift = 929U << 20;
    const auto reduce = [](std::int32_t v) {
        return static_cast<std::int32_t>((static_cast<std::uint32_t>(v) + kLift) % 929U);
    };
    // The last entry, worked out ahead of the pass: the next codeword waits only on it.
    std::int32_t last = 0;
    for (std::size_t p = 0; p < n; ++p) {
        const auto t = static_cast<std::int16_t>(reduce(symbol[p] % 929 + last));
        last = e[k - 1] - t * a[k - 1];
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
