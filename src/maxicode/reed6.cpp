#include "maxicode/reed6.h"

namespace qv::maxicode {

std::int32_t gfMultiply(std::int32_t a, std::int32_t b) {
    a &= 63;
    b &= 63;
    if (a == 0 || b == 0) return 0;
    std::int32_t s = kLog[static_cast<std::size_t>(a)] + kLog[static_cast<std::size_t>(b)];
    if (s >= 63) s -= 63;
    return kAntilog[static_cast<std::size_t>(s)];
}

void rsEncode64(std::span<std::int32_t> values, std::int32_t k, std::int32_t n) {
    std::span<const std::int32_t> g = kGenerator10;
    if (n == 20) g = kGenerator20;
    if (n == 28) g = kGenerator28;
    // The shift register is as long as the generator; a caller's n only decides which one.
    const auto checks = static_cast<std::int64_t>(g.size());
    if (k < 0 || static_cast<std::int64_t>(k) + checks > static_cast<std::int64_t>(values.size()))
        return;
    const auto base = static_cast<std::size_t>(k);
    for (std::size_t i = 0; i < g.size(); ++i) values[base + i] = 0;
    for (std::size_t j = 0; j < base; ++j) {
        const std::int32_t f = (values[j] ^ values[base]) & 63;
        for (std::size_t i = 0; i + 1 < g.size(); ++i)
            values[base + i] = values[base + i + 1] ^ gfMultiply(f, g[i]);
        values[base + g.size() - 1] = gfMultiply(f, g[g.size() - 1]);
    }
}

void protectSymbol(std::array<std::uint8_t, 144>& codewords, std::int32_t mode) {
    std::array<std::int32_t, 20> primary{};
    for (std::size_t i = 0; i < 10; ++i) primary[i] = codewords[i];
    rsEncode64(primary, 10, 10);
    for (std::size_t i = 0; i < 20; ++i) codewords[i] = static_cast<std::uint8_t>(primary[i]);

    const std::int32_t k = mode == 5 ? 34 : 42;
    const std::int32_t n = mode == 5 ? 28 : 20;
    for (std::size_t parity = 0; parity < 2; ++parity) {
        std::array<std::int32_t, 62> block{};
        for (std::size_t m = 0; m < 62; ++m) block[m] = codewords[20 + parity + 2 * m];
        rsEncode64(block, k, n);
        for (std::size_t m = 0; m < 62; ++m)
            codewords[20 + parity + 2 * m] = static_cast<std::uint8_t>(block[m]);
    }
}

}  // namespace qv::maxicode
