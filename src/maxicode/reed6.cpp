#include "maxicode/reed6.h"

#include "core/check_register.h"

namespace qv::maxicode {
namespace {

constexpr std::int32_t product(std::int32_t a, std::int32_t b) {
    a &= 63;
    b &= 63;
    if (a == 0 || b == 0) return 0;
    std::int32_t s = kLog[static_cast<std::size_t>(a)] + kLog[static_cast<std::size_t>(b)];
    if (s >= 63) s -= 63;
    return kAntilog[static_cast<std::size_t>(s)];
}

template <std::size_t N>
constexpr auto productRows(const std::array<std::int32_t, N>& g) {
    std::array<std::uint64_t, 64 * core::packedWords(N)> rows{};
    core::fillProductRows(g, 64, product, rows);
    return rows;
}

constexpr auto kRows10 = productRows(kGenerator10);
constexpr auto kRows20 = productRows(kGenerator20);
constexpr auto kRows28 = productRows(kGenerator28);

// The generator that n picks (20, 28, anything else 10): its rows and its length.
struct Generator {
    std::span<const std::uint64_t> rows;
    std::size_t length;
};

Generator generatorFor(std::int32_t n) {
    if (n == 20) return {kRows20, kGenerator20.size()};
    if (n == 28) return {kRows28, kGenerator28.size()};
    return {kRows10, kGenerator10.size()};
}

template <class T>
void checks(std::span<const T> data, std::int32_t n, std::span<std::uint8_t> out) {
    core::divideByGenerator(data, 63, generatorFor(n).rows, out);
}

}  // namespace

std::int32_t gfMultiply(std::int32_t a, std::int32_t b) {
    return product(a, b);
}

void rsEncode64(std::span<std::int32_t> values, std::int32_t k, std::int32_t n) {
    // The shift register is as long as the generator; a caller's n only decides which one.
    const std::size_t length = generatorFor(n).length;
    if (k < 0 || static_cast<std::size_t>(k) + length > values.size()) return;
    const auto base = static_cast<std::size_t>(k);
    std::array<std::uint8_t, kGenerator28.size()> r{};
    const auto remainder = std::span(r).first(length);
    checks(std::span<const std::int32_t>(values.first(base)), n, remainder);
    for (std::size_t i = 0; i < length; ++i) values[base + i] = remainder[i];
}

void protectSymbol(std::array<std::uint8_t, 144>& codewords, std::int32_t mode) {
    checks(std::span<const std::uint8_t>(codewords).first(10), 10,
           std::span(codewords).subspan(10, 10));

    const std::size_t k = mode == 5 ? 34 : 42;
    const std::int32_t n = mode == 5 ? 28 : 20;
    for (std::size_t parity = 0; parity < 2; ++parity) {
        std::array<std::uint8_t, 62> block{};
        for (std::size_t m = 0; m < k; ++m) block[m] = codewords[20 + parity + 2 * m];
        checks(std::span<const std::uint8_t>(block).first(k), n, std::span(block).subspan(k));
        for (std::size_t m = k; m < 62; ++m) codewords[20 + parity + 2 * m] = block[m];
    }
}

}  // namespace qv::maxicode
