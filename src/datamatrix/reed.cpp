#include "datamatrix/reed.h"

#include <algorithm>

#include "core/check_register.h"

namespace qv::datamatrix {
namespace {

constexpr std::int32_t kPrimitive = 0x12D;  // x^8 + x^5 + x^3 + x^2 + 1
constexpr std::int32_t kOrder = 255;

struct Field {
    std::array<std::int32_t, 256> antilog{};  // antilog[255] stays 0
    std::array<std::int32_t, 256> log{};      // log[0] is never used for a product
};

constexpr Field makeField() {
    Field f;
    std::int32_t v = 1;
    for (std::int32_t i = 0; i < kOrder; ++i) {
        f.antilog[static_cast<std::size_t>(i)] = v;
        f.log[static_cast<std::size_t>(v)] = i;
        v <<= 1;
        if (v > 255) v ^= kPrimitive;
    }
    return f;
}

constexpr Field kField = makeField();

constexpr std::int32_t multiply(std::int32_t a, std::int32_t b) {
    if (a == 0 || b == 0) return 0;
    std::int32_t e =
        kField.log[static_cast<std::size_t>(a)] + kField.log[static_cast<std::size_t>(b)];
    if (e >= kOrder) e -= kOrder;
    return kField.antilog[static_cast<std::size_t>(e)];
}

// Generator polynomials g(x) = (x + 2^1)(x + 2^2)...(x + 2^n), highest power first, leading 1
// dropped; one row per check count.
using Generators = std::array<std::array<std::int32_t, 68>, kCheckCounts.size()>;

constexpr Generators makeGenerators() {
    Generators g{};
    for (std::size_t t = 0; t < kCheckCounts.size(); ++t) {
        const auto n = static_cast<std::size_t>(kCheckCounts[t]);
        // poly[k] is the coefficient of x^k; start with g(x) = 1.
        std::array<std::int32_t, 69> poly{};
        poly[0] = 1;
        for (std::size_t i = 1; i <= n; ++i) {
            const std::int32_t root = kField.antilog[i];
            for (std::size_t k = i; k > 0; --k) poly[k] = poly[k - 1] ^ multiply(poly[k], root);
            poly[0] = multiply(poly[0], root);
        }
        for (std::size_t i = 0; i < n; ++i) g[t][i] = poly[n - 1 - i];
    }
    return g;
}

constexpr Generators kGenerators = makeGenerators();

static_assert(kGenerators[0][0] == 62 && kGenerators[0][4] == 228);
static_assert(kGenerators[1][0] == 254 && kGenerators[1][6] == 23);

constexpr std::size_t tableFor(std::int32_t n) {
    for (std::size_t t = 0; t < kCheckCounts.size(); ++t)
        if (kCheckCounts[t] == n) return t;
    return kCheckCounts.size() - 1;
}

// Product rows of every generator, one after another: 256 packed rows each.
constexpr std::size_t kRowWords = [] {
    std::size_t total = 0;
    for (const std::int32_t n : kCheckCounts)
        total += 256 * core::packedWords(static_cast<std::size_t>(n));
    return total;
}();

struct ProductRows {
    std::array<std::uint64_t, kRowWords> words{};
    std::array<std::size_t, kCheckCounts.size()> start{};
};

constexpr ProductRows makeProductRows() {
    ProductRows p;
    std::size_t at = 0;
    for (std::size_t t = 0; t < kCheckCounts.size(); ++t) {
        const auto n = static_cast<std::size_t>(kCheckCounts[t]);
        const std::size_t size = 256 * core::packedWords(n);
        p.start[t] = at;
        core::fillProductRows(std::span<const std::int32_t>(kGenerators[t].data(), n), 256,
                              multiply, std::span<std::uint64_t>(p.words).subspan(at, size));
        at += size;
    }
    return p;
}

constexpr ProductRows kProductRows = makeProductRows();

template <class T>
void divide(std::span<const T> data, std::span<std::uint8_t> checks) {
    const std::size_t t = tableFor(static_cast<std::int32_t>(checks.size()));
    const auto rows = std::span<const std::uint64_t>(kProductRows.words)
                          .subspan(kProductRows.start[t], 256 * core::packedWords(checks.size()));
    core::divideByGenerator(data, 0xFF, rows, checks);
}

}  // namespace

std::int32_t gfMultiply256(std::int32_t a, std::int32_t b) {
    return multiply(a & 0xFF, b & 0xFF);
}

std::int32_t rsGeneratorCoefficient(std::int32_t n, std::int32_t i) {
    const std::size_t t = tableFor(n);
    if (i < 0 || i >= kCheckCounts[t]) return 0;
    return kGenerators[t][static_cast<std::size_t>(i)];
}

bool rsChecks256(std::span<const std::uint8_t> data, std::span<std::uint8_t> checks) {
    if (kCheckCounts[tableFor(static_cast<std::int32_t>(checks.size()))] !=
        static_cast<std::int32_t>(checks.size()))
        return false;
    divide(data, checks);
    return true;
}

void rsEncode256(std::span<std::int32_t> block, std::int32_t d, std::int32_t n) {
    if (d < 0 || kCheckCounts[tableFor(n)] != n) return;
    if (static_cast<std::size_t>(d) + static_cast<std::size_t>(n) > block.size()) return;
    std::array<std::uint8_t, kCheckCounts.back()> checks{};
    const auto r = std::span(checks).first(static_cast<std::size_t>(n));
    divide(std::span<const std::int32_t>(block.first(static_cast<std::size_t>(d))), r);
    std::copy(r.begin(), r.end(), block.begin() + d);
}

}  // namespace qv::datamatrix
