// Reed-Solomon check codewords of Data Matrix blocks, over GF(256) with the polynomial 0x12D.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qv::datamatrix {

// The check-codeword counts a block can have, smallest first.
inline constexpr std::array<std::int32_t, 16> kCheckCounts = {5,  7,  10, 11, 12, 14, 18, 20,
                                                              24, 28, 36, 42, 48, 56, 62, 68};

// a * b in the field; 0 when either is 0. Operands must be 0 to 255.
std::int32_t gfMultiply256(std::int32_t a, std::int32_t b);

// Coefficient i of the generator polynomial of degree n, from x^(n-1) down to the constant term
// (the leading 1 is not stored). An n that is no check count selects 68; i outside 0..n-1 gives 0.
std::int32_t rsGeneratorCoefficient(std::int32_t n, std::int32_t i);

// The check codewords of data, as many as checks holds; false (checks untouched) when that is
// no check count. Data values are taken modulo 256.
bool rsChecks256(std::span<const std::uint8_t> data, std::span<std::uint8_t> checks);

// Writes the n check codewords of the d data codewords at block[0..d-1] to block[d..d+n-1].
// A block shorter than d + n, or an n that is no check count, leaves the block unchanged.
void rsEncode256(std::span<std::int32_t> block, std::int32_t d, std::int32_t n);

}  // namespace qv::datamatrix
