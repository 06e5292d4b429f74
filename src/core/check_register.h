// Reed-Solomon check symbols over a small binary field (at most 256 elements), by the shift
// register that divides the data by the generator polynomial.
//
// A generator of n coefficients is kept as product rows: row f holds f * g[i] for every i, so a
// step of the register is a shift and an exclusive-or, with neither a multiplication nor a test
// for zero. The rows are built at compile time from the field's own multiplication.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qv::core {

// Writes the rows of generator g (highest power first, leading 1 dropped) for every element
// 0 .. fieldSize-1 to out[f * g.size() + i]; out holds fieldSize * g.size() entries.
template <class Multiply>
constexpr void fillProductRows(std::span<const std::int32_t> g, std::size_t fieldSize,
                               Multiply multiply, std::span<std::uint8_t> out) {
    const std::size_t n = g.size();
    for (std::size_t f = 0; f < fieldSize; ++f)
        for (std::size_t i = 0; i < n; ++i)
            out[f * n + i] =
                static_cast<std::uint8_t>(multiply(static_cast<std::int32_t>(f), g[i]));
}

// The remainder of data(x) * x^n divided by the generator whose product rows are `rows`
// (n = remainder.size() entries a row), highest power first. Data values are taken modulo the
// field, whose size less one is `mask`.
template <class T>
constexpr void divideByGenerator(std::span<const T> data, std::uint32_t mask,
                                 std::span<const std::uint8_t> rows,
                                 std::span<std::uint8_t> remainder) {
    const std::size_t n = remainder.size();
    std::fill(remainder.begin(), remainder.end(), std::uint8_t{0});
    if (n == 0) return;
    std::uint8_t* r = remainder.data();
    for (const T v : data) {
        const std::uint32_t f = (r[0] ^ static_cast<std::uint32_t>(v)) & mask;
        const std::uint8_t* row = rows.data() + f * n;
        for (std::size_t i = 0; i + 1 < n; ++i) r[i] = static_cast<std::uint8_t>(r[i + 1] ^ row[i]);
        r[n - 1] = row[n - 1];
    }
}

}  // namespace qv::core
