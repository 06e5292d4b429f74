// Reed-Solomon check symbols the slow way, to hold the encoders' shift registers against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace qv::test {

// a * b in GF(2^m) by carry-less multiplication reduced by the polynomial (whose top bit is 2^m).
inline std::int32_t carrylessProduct(std::int32_t a, std::int32_t b, std::int32_t polynomial) {
    std::int32_t top = 1;
    while (top * 2 <= polynomial) top *= 2;
    std::int32_t r = 0;
    for (; b; b >>= 1, a <<= 1) {
        if (a & top) a ^= polynomial;
        if (b & 1) r ^= a;
    }
    return r;
}

// The remainder of data(x) x^n by (x + 2)(x + 2^2)...(x + 2^n), by long division, highest
// power first.
inline std::vector<std::int32_t> longDivisionChecks(const std::vector<std::int32_t>& data,
                                                    std::size_t n, std::int32_t polynomial) {
    auto times = [polynomial](std::int32_t a, std::int32_t b) {
        return carrylessProduct(a, b, polynomial);
    };
    std::vector<std::int32_t> g{1};
    std::int32_t root = 1;
    for (std::size_t i = 0; i < n; ++i) {
        root = times(root, 2);
        std::vector<std::int32_t> next(g.size() + 1, 0);
        for (std::size_t k = 0; k < g.size(); ++k) {
            next[k] ^= g[k];
            next[k + 1] ^= times(g[k], root);
        }
        g = std::move(next);
    }
    std::vector<std::int32_t> rest = data;
    rest.resize(data.size() + n, 0);
    for (std::size_t k = 0; k < data.size(); ++k)
        for (std::size_t i = 1; i <= n; ++i) rest[k + i] ^= times(rest[k], g[i]);
    return {rest.end() - static_cast<std::ptrdiff_t>(n), rest.end()};
}

}  // namespace qv::test
