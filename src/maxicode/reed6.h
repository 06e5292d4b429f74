// Reed-Solomon check codewords over GF(64) for the MaxiCode symbol.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qv::maxicode {

// GF(64) on x^6 + x + 1 (0x43), generator element 2.
inline constexpr std::array<std::int32_t, 64> kAntilog = {
    1,  2,  4,  8,  16, 32, 3,  6,  12, 24, 48, 35, 5,  10, 20, 40, 19, 38, 15, 30, 60, 59,
    53, 41, 17, 34, 7,  14, 28, 56, 51, 37, 9,  18, 36, 11, 22, 44, 27, 54, 47, 29, 58, 55,
    45, 25, 50, 39, 13, 26, 52, 43, 21, 42, 23, 46, 31, 62, 63, 61, 57, 49, 33, 0};

// log[0] is a placeholder: products with 0 never look it up.
inline constexpr std::array<std::int32_t, 64> kLog = {
    0,  0,  1,  6,  2,  12, 7,  26, 3,  32, 13, 35, 8,  48, 27, 18, 4,  24, 33, 16, 14, 52,
    36, 54, 9,  45, 49, 38, 28, 41, 19, 56, 5,  62, 25, 11, 34, 31, 17, 47, 15, 23, 53, 51,
    37, 44, 55, 40, 10, 61, 46, 30, 50, 22, 39, 43, 29, 60, 42, 21, 20, 59, 57, 58};

// Generator polynomials (x - 2^1)...(x - 2^n) below their leading 1, highest power first.
inline constexpr std::array<std::int32_t, 10> kGenerator10 = {31, 28, 39, 42, 57, 2, 3, 49, 44, 46};
inline constexpr std::array<std::int32_t, 20> kGenerator20 = {
    23, 44, 11, 33, 27, 8, 22, 37, 57, 36, 15, 48, 22, 17, 38, 33, 31, 19, 23, 59};
inline constexpr std::array<std::int32_t, 28> kGenerator28 = {
    22, 45, 53, 10, 41, 55, 35, 10, 22, 29, 23, 13, 61, 45,
    34, 55, 40, 37, 46, 49, 34, 41, 9,  43, 7,  20, 11, 28};

// Product in GF(64); arguments outside 0..63 use their low six bits.
std::int32_t gfMultiply(std::int32_t a, std::int32_t b);

// values[0..k) are data; the n check codewords are written to values[k..k+n). The generator is
// picked by n (20, 28, anything else 10); nothing is written past the span.
void rsEncode64(std::span<std::int32_t> values, std::int32_t k, std::int32_t n);

// Fills the primary check codewords 10..19 and the two interleaved secondary blocks in place.
// Mode 5 has the larger secondary checks (34 data + 28 check per block), every other mode 42 + 20.
void protectSymbol(std::array<std::uint8_t, 144>& codewords, std::int32_t mode);

}  // namespace qv::maxicode
