#include "datamatrix/symbol_size.h"

#include <algorithm>

#include "datamatrix/reed.h"

namespace qv::datamatrix {
namespace {

// Every size's blocks hold its capacity, the last ones one codeword short where it does not
// divide evenly (144 x 144: eight of 156 and two of 155).
constexpr bool blocksAgree() {
    for (std::size_t f = 1; f < kSizes.size(); ++f) {
        const auto& s = kSizes[f];
        if (s.dataPerBlock * s.blocks < s.capacity || (s.dataPerBlock - 1) * s.blocks >= s.capacity)
            return false;
        if (s.mappingRows * s.mappingColumns < 8 * (s.capacity + s.checkPerBlock * s.blocks))
            return false;
    }
    return true;
}
static_assert(blocksAgree());

constexpr std::size_t kLongestBlock = [] {
    std::int32_t longest = 0;
    for (const auto& s : kSizes) longest = std::max(longest, s.dataPerBlock);
    return static_cast<std::size_t>(longest);
}();

bool endsInC40(const Encoded& d) {
    return d.finalMode == Mode::C40 || d.finalMode == Mode::Text;
}

// Picks the size and, where the capacity is one short, drops the final unlatch that the reader
// does not need at the end of the data. Returns 0 when nothing fits; `unlatchDropped` tells
// that a final 254 still there is data, not an unlatch.
std::int32_t chooseSize(Encoded& d, TFormat preferred, bool& unlatchDropped) {
    auto& c = d.codewords;
    const auto count = [&] { return static_cast<std::int32_t>(c.size()); };
    const auto p = static_cast<std::int32_t>(preferred);
    std::int32_t f =
        (p >= 1 && p <= kSizeCount && kSizes[static_cast<std::size_t>(p)].capacity >= count()) ? p
                                                                                               : 1;
    for (; f <= kSizeCount; ++f) {
        const std::int32_t capacity = kSizes[static_cast<std::size_t>(f)].capacity;
        if (count() <= capacity) return f;
        if (!endsInC40(d) || capacity != count() - 1) continue;
        if (d.leftOver == 1 && c[c.size() - 2] == cw::Unlatch) {
            c.erase(c.end() - 2);
            return f;
        }
        if (d.leftOver == 0 && c.back() == cw::Unlatch) {
            c.pop_back();
            unlatchDropped = true;
            return f;
        }
    }
    return 0;
}

}  // namespace

std::optional<SymbolSize> sizeOf(TFormat format) {
    const auto f = static_cast<std::int32_t>(format);
    if (f < 1 || f > kSizeCount) return std::nullopt;
    return kSizes[static_cast<std::size_t>(f)];
}

std::int32_t randomize253(std::int32_t value, std::int32_t position) {
    const std::int32_t r = value + (149 * position) % 253 + 1;
    return r > 254 ? r - 254 : r;
}

std::optional<CodewordStream> buildCodewordStream(Encoded data, TFormat preferred) {
    if (data.codewords.empty() || data.codewords.size() > kMaxData) return std::nullopt;
    bool unlatchDropped = false;
    const std::int32_t f = chooseSize(data, preferred, unlatchDropped);
    if (f == 0) return std::nullopt;
    const SymbolSize& s = kSizes[static_cast<std::size_t>(f)];
    auto& c = data.codewords;
    c.reserve(static_cast<std::size_t>(s.capacity + s.blocks * s.checkPerBlock));

    // A full symbol needs no final unlatch; a pad stands in its place.
    if (endsInC40(data) && data.leftOver == 0 && !unlatchDropped &&
        static_cast<std::int32_t>(c.size()) == s.capacity && c.back() == cw::Unlatch)
        c.back() = cw::Pad;
    if (static_cast<std::int32_t>(c.size()) < s.capacity) c.push_back(cw::Pad);
    while (static_cast<std::int32_t>(c.size()) < s.capacity)
        c.push_back(randomize253(cw::Pad, static_cast<std::int32_t>(c.size()) + 1));

    // Data codeword k goes to block k mod B. Readers take block b's codeword i (data and
    // check alike) from position b + B * i, which for 144 x 144 puts the check codewords of its
    // two shorter blocks first.
    const auto blocks = static_cast<std::size_t>(s.blocks);
    const auto check = static_cast<std::size_t>(s.checkPerBlock);
    c.resize(c.size() + blocks * check);
    std::array<std::uint8_t, kLongestBlock> blockData{};
    std::array<std::uint8_t, kCheckCounts.back()> checks{};
    for (std::size_t b = 0; b < blocks; ++b) {
        std::size_t d = 0;
        for (std::size_t k = b; k < static_cast<std::size_t>(s.capacity); k += blocks)
            blockData[d++] = static_cast<std::uint8_t>(c[k]);
        const auto r = std::span(checks).first(check);
        rsChecks256(std::span(blockData).first(d), r);
        for (std::size_t e = 0; e < check; ++e) c[b + blocks * (d + e)] = r[e];
    }
    return CodewordStream{static_cast<TFormat>(f), std::move(c)};
}

}  // namespace qv::datamatrix
