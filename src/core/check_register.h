// Reed-Solomon check symbols over a small binary field (at most 256 elements), by the shift
// register that divides the data by the generator polynomial.
//
// A generator of n coefficients is kept as product rows: row f holds f * g[i] for every i, so a
// step of the register is a shift and an exclusive-or, with neither a multiplication nor a test
// for zero. The rows are built at compile time from the field's own multiplication. Register and
// rows are packed eight bytes to a 64-bit word, byte i of a row in bits 8 (i mod 8) up of word
// i / 8, so that a step moves whole words rather than one byte at a time.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qv::core {

// Words of a packed row of n bytes.
constexpr std::size_t packedWords(std::size_t n) {
    return (n + 7) / 8;
}

// The packed rows of generator g (highest power first, leading 1 dropped) for every element
// 0 .. fieldSize-1: row f at out[f * packedWords(g.size())], out starting zeroed. Multiplication by
// g[i] is linear over exclusive-or, so only the rows of single bits need products; the others are
// sums of those, which keeps the work at compile time small.
template <class Multiply>
constexpr void fillProductRows(std::span<const std::int32_t> g, std::size_t fieldSize,
                               Multiply multiply, std::span<std::uint64_t> out) {
    const std::size_t words = packedWords(g.size());
    for (std::size_t f = 1; f < fieldSize; ++f) {
        const std::size_t low = f & (~f + 1);  // the lowest set bit
        std::uint64_t* row = &out[f * words];
        if (low != f) {
            for (std::size_t j = 0; j < words; ++j)
                row[j] = out[(f - low) * words + j] ^ out[low * words + j];
            continue;
        }
        for (std::size_t i = 0; i < g.size(); ++i) {
            const auto p = static_cast<std::uint64_t>(multiply(static_cast<std::int32_t>(f), g[i]));
            row[i / 8] |= p << (8 * (i % 8));
        }
    }
}

// The longest register, in words: 68 check symbols.
inline constexpr std::size_t kMaxRegisterWords = packedWords(68);

// The remainder of data(x) x^n divided by the generator whose packed rows are `rows`, n =
// remainder.size() (at most 68), highest power first. Data values are taken modulo the field,
// whose size less one is `mask`.
template <class T>
constexpr void divideByGenerator(std::span<const T> data, std::uint32_t mask,
                                 std::span<const std::uint64_t> rows,
                                 std::span<std::uint8_t> remainder) {
    const std::size_t words = packedWords(remainder.size());
    if (words > kMaxRegisterWords) return;
    // One spare word: the bytes shifted in at the top are zero.
    std::array<std::uint64_t, kMaxRegisterWords + 1> r{};
    for (const T v : data) {
        const std::uint64_t f = (r[0] ^ static_cast<std::uint32_t>(v)) & mask;
        const std::uint64_t* row = rows.data() + f * words;
        // Each word is read once, before it is written: word-sized loads of what the previous
        // step stored, which the processor forwards at once.
        std::uint64_t next = r[0];
        for (std::size_t j = 0; j < words; ++j) {
            const std::uint64_t word = next;
            next = r[j + 1];
            r[j] = ((word >> 8) | (next << 56)) ^ row[j];
        }
    }
    for (std::size_t i = 0; i < remainder.size(); ++i)
        remainder[i] = static_cast<std::uint8_t>(r[i / 8] >> (8 * (i % 8)));
}

}  // namespace qv::core
