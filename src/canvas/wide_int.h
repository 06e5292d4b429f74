// 128-bit arithmetic for pixel geometry: products of two 33-bit coordinate differences do not fit
// in 64 bits, and int32 coordinates of any value must neither overflow nor be clamped early.
#pragma once

#include <cstdint>

namespace qv::canvas {

#if defined(__SIZEOF_INT128__)
__extension__ typedef __int128 Int128;
#else
// 32-bit targets (the x86 ActiveX server) have no 128-bit integer: a two's-complement pair with
// the few operations the geometry uses. Division is bit by bit; only tests rasterise there.
class Int128 {
  public:
    constexpr Int128(std::int64_t v = 0)  // NOLINT: converts like the built-in type
        : hi_(v < 0 ? ~std::uint64_t{0} : 0), lo_(static_cast<std::uint64_t>(v)) {}
    explicit constexpr operator std::int64_t() const { return static_cast<std::int64_t>(lo_); }

    friend constexpr Int128 operator+(Int128 a, Int128 b) {
        const std::uint64_t lo = a.lo_ + b.lo_;
        return Int128(a.hi_ + b.hi_ + (lo < a.lo_ ? 1 : 0), lo);
    }
    friend constexpr Int128 operator-(Int128 a) { return Int128(~a.hi_, ~a.lo_) + Int128(1); }
    friend constexpr Int128 operator-(Int128 a, Int128 b) { return a + -b; }
    friend constexpr Int128 operator*(Int128 a, Int128 b) {
        // The low 128 bits of the product, the same for signed and unsigned operands.
        const std::uint64_t a0 = a.lo_ & 0xFFFFFFFF, a1 = a.lo_ >> 32;
        const std::uint64_t b0 = b.lo_ & 0xFFFFFFFF, b1 = b.lo_ >> 32;
        const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
        const std::uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFF) + (p10 & 0xFFFFFFFF);
        const std::uint64_t lo = (p00 & 0xFFFFFFFF) | (mid << 32);
        const std::uint64_t hi =
            p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32) + a.hi_ * b.lo_ + a.lo_ * b.hi_;
        return Int128(hi, lo);
    }
    // Truncating towards zero, as the built-in division does.
    friend constexpr Int128 operator/(Int128 a, Int128 b) { return divide(a, b, false); }
    friend constexpr Int128 operator%(Int128 a, Int128 b) { return divide(a, b, true); }
    constexpr Int128& operator++() { return *this = *this + Int128(1); }
    constexpr Int128& operator--() { return *this = *this - Int128(1); }

    friend constexpr bool operator==(Int128 a, Int128 b) {
        return a.hi_ == b.hi_ && a.lo_ == b.lo_;
    }
    friend constexpr bool operator<(Int128 a, Int128 b) {
        const auto ah = static_cast<std::int64_t>(a.hi_), bh = static_cast<std::int64_t>(b.hi_);
        return ah != bh ? ah < bh : a.lo_ < b.lo_;
    }
    friend constexpr bool operator>(Int128 a, Int128 b) { return b < a; }
    friend constexpr bool operator<=(Int128 a, Int128 b) { return !(b < a); }
    friend constexpr bool operator>=(Int128 a, Int128 b) { return !(a < b); }

  private:
    constexpr Int128(std::uint64_t hi, std::uint64_t lo) : hi_(hi), lo_(lo) {}
    constexpr bool negative() const { return (hi_ >> 63) != 0; }
    static constexpr Int128 divide(Int128 a, Int128 b, bool remainder) {
        const bool na = a.negative(), nb = b.negative();
        Int128 n = na ? -a : a;
        const Int128 d = nb ? -b : b;
        Int128 q(0), r(0);
        for (int bit = 127; bit >= 0; --bit) {
            r = Int128((r.hi_ << 1) | (r.lo_ >> 63), r.lo_ << 1);
            const std::uint64_t word = bit >= 64 ? n.hi_ : n.lo_;
            r.lo_ |= (word >> (bit % 64)) & 1;
            if (!(r < d)) {  // both non-negative here
                r = r - d;
                (bit >= 64 ? q.hi_ : q.lo_) |= std::uint64_t{1} << (bit % 64);
            }
        }
        if (remainder) return na ? -r : r;
        return na != nb ? -q : q;
    }
    std::uint64_t hi_;
    std::uint64_t lo_;
};
#endif

// Floor and ceiling of num / den for den > 0.
inline Int128 floorDiv(Int128 num, Int128 den) {
    Int128 q = num / den;
    if ((num % den != 0) && (num < 0)) --q;
    return q;
}
inline Int128 ceilDiv(Int128 num, Int128 den) {
    Int128 q = num / den;
    if ((num % den != 0) && (num > 0)) ++q;
    return q;
}

}  // namespace qv::canvas
