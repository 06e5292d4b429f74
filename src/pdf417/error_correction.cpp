#include "pdf417/error_correction.h"

#include <vector>

namespace qv::pdf417 {

void appendErrorCorrection(std::span<std::int32_t> symbol, std::size_t n, std::int32_t level) {
    const auto a = ecCoefficients(level);
    const std::size_t k = a.size();
    std::vector<std::int32_t> e(k, 0);
    for (std::size_t p = 0; p < n; ++p) {
        const std::int32_t t = (symbol[p] + e[k - 1]) % 929;
        for (std::size_t i = k - 1; i >= 1; --i) e[i] = (e[i - 1] + 929 - t * a[i] % 929) % 929;
        e[0] = (929 - t * a[0] % 929) % 929;
    }
    for (std::size_t i = 0; i < k; ++i) {
        const std::int32_t v = e[k - 1 - i];
        symbol[n + i] = v == 0 ? 0 : 929 - v;
    }
}

}  // namespace qv::pdf417
