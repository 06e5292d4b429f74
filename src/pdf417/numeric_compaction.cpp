#include <algorithm>

#include "pdf417/compaction.h"

namespace qv::pdf417 {
namespace {

constexpr std::size_t kGroupDigits = 44;

// Base-900 digits, most significant first, of the decimal number "1" followed by `digits`.
Codewords prefixedToBase900(Bytes digits) {
    std::vector<std::uint8_t> number;
    number.reserve(digits.size() + 1);
    number.push_back(1);
    for (auto d : digits) number.push_back(static_cast<std::uint8_t>(d - '0'));
    Codewords out;
    std::size_t first = 0;  // leading zeros of the running quotient are skipped
    while (first < number.size()) {
        std::uint32_t rest = 0;
        for (std::size_t i = first; i < number.size(); ++i) {
            const std::uint32_t cur = rest * 10 + number[i];
            number[i] = static_cast<std::uint8_t>(cur / 900);
            rest = cur % 900;
        }
        out.push_back(static_cast<std::int32_t>(rest));
        while (first < number.size() && number[first] == 0) ++first;
    }
    std::reverse(out.begin(), out.end());
    return out;
}

bool allDigits(Bytes data) {
    return std::all_of(data.begin(), data.end(),
                       [](std::uint8_t c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<Codewords> numericCompaction(Bytes data, std::size_t start) {
    const Bytes rest = data.subspan(std::min(start, data.size()));
    if (!allDigits(rest)) return std::nullopt;
    Codewords out;
    for (std::size_t s = 0; s < rest.size(); s += kGroupDigits) {
        const auto group =
            prefixedToBase900(rest.subspan(s, std::min(kGroupDigits, rest.size() - s)));
        out.insert(out.end(), group.begin(), group.end());
    }
    return out;
}

std::optional<Codewords> numberToCodewords(std::string_view digits) {
    const Bytes bytes(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size());
    if (bytes.size() > kGroupDigits || !allDigits(bytes)) return std::nullopt;
    return prefixedToBase900(bytes);
}

}  // namespace qv::pdf417
