#include "maxicode/hexagon.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qv::maxicode {
namespace {

// clang-format off
constexpr std::string_view kHex7x8[] = {
    "0000000", "0001100", "0011110", "0111111", "0111111", "0111111", "0011110", "0001100",
};
constexpr std::string_view kHex10x12[] = {
    "0000000000", "0000111000", "0001111100", "0011111110",
    "0111111111", "0111111111", "0111111111", "0111111111",
    "0011111110", "0001111100", "0000111000", "0000000000",
};
constexpr std::string_view kHex14x16[] = {
    "00000000000000", "00000000000000", "00000001100000", "00000111111000",
    "00011111111110", "00111111111111", "00111111111111", "00111111111111",
    "00111111111111", "00111111111111", "00111111111111", "00111111111111",
    "00111111111111", "00011111111110", "00000111111000", "00000001100000",
};
constexpr std::string_view kHex17x20[] = {
    "00000000000000000", "00000000000000000", "00000000000000000", "00000000011000000",
    "00000001111110000", "00000011111111000", "00001111111111110", "00011111111111111",
    "00011111111111111", "00011111111111111", "00011111111111111", "00011111111111111",
    "00011111111111111", "00011111111111111", "00011111111111111", "00011111111111111",
    "00001111111111110", "00000011111111000", "00000001111110000", "00000000011000000",
};
constexpr std::string_view kHex20x24[] = {
    "00000000000000000000", "00000000000000000000", "00000000000000000000",
    "00000000001110000000", "00000000011111000000", "00000001111111110000",
    "00000111111111111100", "00011111111111111111", "00011111111111111111",
    "00011111111111111111", "00011111111111111111", "00011111111111111111",
    "00011111111111111111", "00011111111111111111", "00011111111111111111",
    "00011111111111111111", "00011111111111111111", "00011111111111111111",
    "00011111111111111111", "00011111111111111111", "00000111111111111100",
    "00000001111111110000", "00000000011111000000", "00000000001110000000",
};
// clang-format on

// The dark run of every row, worked out from the drawings at compile time.
template <std::size_t N>
constexpr std::array<RowSpan, N> spansOf(const std::string_view (&rows)[N]) {
    std::array<RowSpan, N> out{};
    for (std::size_t r = 0; r < N; ++r) {
        const auto first = rows[r].find('1');
        if (first == std::string_view::npos) continue;
        out[r] = {static_cast<std::int32_t>(first),
                  static_cast<std::int32_t>(rows[r].rfind('1') + 1)};
    }
    return out;
}

constexpr auto kSpans7x8 = spansOf(kHex7x8);
constexpr auto kSpans10x12 = spansOf(kHex10x12);
constexpr auto kSpans14x16 = spansOf(kHex14x16);
constexpr auto kSpans17x20 = spansOf(kHex17x20);
constexpr auto kSpans20x24 = spansOf(kHex20x24);

struct Drawn {
    std::int32_t wHexagon;
    std::int32_t hHexagon;
    std::span<const std::string_view> rows;
    std::span<const RowSpan> spans;
};

constexpr std::array<Drawn, 5> kDrawn = {{
    {7, 8, kHex7x8, kSpans7x8},
    {10, 12, kHex10x12, kSpans10x12},
    {14, 16, kHex14x16, kSpans14x16},
    {18, 21, kHex17x20, kSpans17x20},
    {21, 24, kHex20x24, kSpans20x24},
}};

}  // namespace

HexagonPattern HexagonPattern::choose(std::int32_t wHexagon, std::int32_t hHexagon, std::int32_t w,
                                      std::int32_t gap) {
    HexagonPattern p;
    for (const Drawn& d : kDrawn) {
        if (d.wHexagon == wHexagon && d.hHexagon == hHexagon) {
            p.spans_ = d.spans;
            p.height_ = static_cast<std::int32_t>(d.spans.size());
            p.width_ = static_cast<std::int32_t>(d.rows[0].size());
            return p;
        }
    }
    // Sizes are never negative: a gap as large as the hexagon leaves an empty pattern.
    p.width_ = std::max(w, 0);
    p.height_ = std::max(hHexagon, 0);
    p.gap_ = std::clamp(gap, 0, std::min(p.width_, p.height_));
    p.innerColumns_ = p.width_ - p.gap_;
    p.innerRows_ = p.height_ - p.gap_;
    p.corner_ = (p.innerColumns_ - p.innerColumns_ / 3) / 2;
    return p;
}

RowSpan HexagonPattern::row(std::int64_t r) const {
    if (r < 0 || r >= height_) return {};
    if (predefined()) return spans_[static_cast<std::size_t>(r)];
    const std::int64_t inner = r - gap_;
    if (inner < 0 || inner >= innerRows_) return {};
    // Rows within `corner_` of the top or bottom lose a triangle at both ends.
    const std::int64_t edge = std::min(inner, innerRows_ - 1 - inner);
    const std::int64_t cut = edge < corner_ ? corner_ - edge : 0;
    if (2 * cut >= innerColumns_) return {};
    return {static_cast<std::int32_t>(gap_ + cut),
            static_cast<std::int32_t>(gap_ + innerColumns_ - cut)};
}

}  // namespace qv::maxicode
