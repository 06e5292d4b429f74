// Reed-Solomon error correction over the integers modulo 929.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qv::pdf417 {

inline constexpr std::int32_t kMaxEcLevel = 8;

// Number of error-correction codewords of a level (0 to 8): 2, 4, ..., 512.
constexpr std::int32_t ecCount(std::int32_t level) {
    return std::int32_t{2} << level;
}

namespace detail {

// Coefficients of g(x) = (x - 3)(x - 3^2)...(x - 3^k) modulo 929, lowest order first, leading 1
// left out; the nine levels one after another.
constexpr std::array<std::int16_t, 1022> buildCoefficients() {
    std::array<std::int16_t, 1022> out{};
    std::size_t offset = 0;
    for (std::int32_t level = 0; level <= kMaxEcLevel; ++level) {
        const auto k = static_cast<std::size_t>(ecCount(level));
        std::array<std::int32_t, 513> g{};
        g[0] = 1;
        std::int32_t root = 1;
        for (std::size_t i = 1; i <= k; ++i) {
            root = root * 3 % 929;
            for (std::size_t j = i; j >= 1; --j) g[j] = (g[j - 1] + 929 - g[j] * root % 929) % 929;
            g[0] = (929 - g[0] * root % 929) % 929;
        }
        for (std::size_t j = 0; j < k; ++j) out[offset + j] = static_cast<std::int16_t>(g[j]);
        offset += k;
    }
    return out;
}

inline constexpr std::array<std::int16_t, 1022> kCoefficients = buildCoefficients();

}  // namespace detail

// The generator coefficients of a level (0 to 8), lowest order first.
constexpr std::span<const std::int16_t> ecCoefficients(std::int32_t level) {
    return std::span<const std::int16_t>(detail::kCoefficients)
        .subspan(static_cast<std::size_t>(ecCount(level) - 2),
                 static_cast<std::size_t>(ecCount(level)));
}

// Computes the level's error-correction codewords over positions 0 to n - 1 of `symbol` and
// writes them at n onward. `symbol` holds at least n + ecCount(level) entries.
void appendErrorCorrection(std::span<std::int32_t> symbol, std::size_t n, std::int32_t level);

}  // namespace qv::pdf417
