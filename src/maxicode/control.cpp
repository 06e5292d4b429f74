#include <algorithm>
#include <bit>

#include "canvas/background_fill.h"
#include "core/int_clamp.h"
#include "maxicode/assembly.h"
#include "maxicode/hexagon.h"
#include "maxicode/layout.h"
#include "maxicode/module_map.h"
#include "quorvantix/maxicode.h"

namespace qv {
namespace {

using maxicode::HexagonPattern;

using core::clampToInt32;

// The pattern's pixels at (x, y) as runs, row by row, skipping what lies outside the clip
// rectangle: for patterns too tall to list their rows.
void addHexagon(std::vector<Piece>& runs, const HexagonPattern& pattern, std::int64_t x,
                std::int64_t y, TColor colour, const Rect& clip) {
    if (x >= clip.right || y >= clip.bottom || x + pattern.width() <= clip.left ||
        y + pattern.height() <= clip.top)
        return;
    const std::int64_t firstRow = std::max<std::int64_t>(0, clip.top - y);
    const std::int64_t endRow = std::min<std::int64_t>(pattern.height(), clip.bottom - y);
    for (std::int64_t r = firstRow; r < endRow; ++r) {
        const auto span = pattern.row(r);
        const std::int64_t from = std::max<std::int64_t>(x + span.from, clip.left);
        const std::int64_t to = std::min<std::int64_t>(x + span.to, clip.right);
        if (from >= to) continue;
        // One line per run: the same pixels as one per pixel, the last point left out.
        const std::int32_t py = clampToInt32(y + r);
        runs.push_back({Piece::Kind::Line, Point{clampToInt32(from), py},
                        Point{clampToInt32(to), py}, colour});
    }
}

void drawBullseye(Canvas& canvas, const maxicode::Layout& layout, std::int64_t ox, std::int64_t oy,
                  TColor dark, TColor light, const Rect& clip) {
    const std::int64_t cx = ox + layout.cx;
    const std::int64_t cy = oy + layout.cy;
    for (std::size_t ring = 6; ring-- > 0;) {
        const TColor colour = ring % 2 == 1 ? dark : light;  // outermost (r6) dark
        const std::int64_t r = layout.radii[ring];
        if (cx + r <= clip.left || cx - r >= clip.right || cy + r <= clip.top ||
            cy - r >= clip.bottom)
            continue;
        canvas.pen.color = colour;
        canvas.brush.color = colour;
        canvas.ellipse(clampToInt32(cx - r), clampToInt32(cy - r), clampToInt32(cx + r),
                       clampToInt32(cy + r));
    }
}

// Bit k set where byte k of v is non-zero, for eight bytes at once.
constexpr std::uint32_t nonZeroBytes(std::uint64_t v) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t high = (v | ((v & kLow7) + kLow7)) & ~kLow7;
    // Each byte's top bit moved to bit 56 + k, then down.
    return static_cast<std::uint32_t>(((high >> 7) * 0x0102040810204080ULL) >> 56);
}
static_assert(nonZeroBytes(0) == 0 && nonZeroBytes(0x8000010000FF0020ULL) == 0b10100101);

}  // namespace

TMaxicode::TMaxicode() : layout_(std::make_unique<maxicode::Layout>()) {
    setL(L);
}

TMaxicode::~TMaxicode() = default;

void TMaxicode::setL(double value) {
    L = value;
    layoutL_ = value;
    *layout_ = maxicode::computeLayout(value, resolution, *layout_);
    WHexagon = layout_->W;
    HHexagon = layout_->HHexagon;
    preferredWidth = layout_->preferredWidth;
    preferredHeight = layout_->preferredHeight;
}

void TMaxicode::setResolution(std::int32_t value) {
    resolution = value;
    setL(L);
}

void TMaxicode::paintBarcode(Canvas& canvas) {
    clearNotes();
    // Bit for bit, so that a NaN written once is laid out once.
    if (std::bit_cast<std::uint64_t>(L) != std::bit_cast<std::uint64_t>(layoutL_)) setL(L);
    const Rect clip = canvas.clipRect();
    canvas::fillBackground(canvas, BackColor);

    const auto pattern = HexagonPattern::choose(WHexagon, HHexagon, layout_->W, layout_->gap);
    const std::int64_t ox = std::int64_t{LeftMargin} + offsetX;
    const std::int64_t oy = std::int64_t{TopMargin} + offsetY;
    drawBullseye(canvas, *layout_, ox, oy, BarColor, BackColor, clip);

    // Postal fields split out of the data by an earlier paint are split again, so that painting
    // twice gives the same symbol.
    maxicode::PostalFields postal{zipCode, country, serviceClass};
    const maxicode::PostalFields written{memo_.zipCode, memo_.country, memo_.serviceClass};
    const bool stillSplit = memo_.active && postal == written;
    const bool fromData = (mode == 2 || mode == 3) && (zipCode.empty() || stillSplit);
    if (fromData) {
        if (!stillSplit) {
            memo_.countryBefore = country;
            memo_.serviceClassBefore = serviceClass;
        }
        postal = {"", memo_.countryBefore, memo_.serviceClassBefore};
    }
    auto symbol = maxicode::assembleSymbol(
        {data, mode, std::move(postal), numberOfCodes, positionOfCode, processTilde});
    codewords_ = symbol.codewords;
    mode = symbol.mode;
    zipCode = symbol.postal.zipCode;
    country = symbol.postal.country;
    serviceClass = symbol.postal.serviceClass;
    // Paints in other modes leave the postal fields alone, and so the memo.
    if (mode == 2 || mode == 3) {
        memo_.active = fromData;
        memo_.zipCode = zipCode;
        memo_.country = country;
        memo_.serviceClass = serviceClass;
    }
    for (auto& note : symbol.notes) addNote(Note::Severity::Warning, std::move(note));

    canvas.pen.color = BarColor;
    canvas.brush.color = BarColor;
    // The dark hexagons' corners, then the pattern stamped at each: its rows listed once when
    // it is of a usual size, else worked out hexagon by hexagon.
    // Each row's dark hexagons as bits first, then their places one set bit at a time: no branch
    // per hexagon, nor a chain of dependent stores.
    std::array<std::uint8_t, maxicode::kAlwaysDark + 1> bytes{};
    std::copy(codewords_.begin(), codewords_.end(), bytes.begin());
    bytes[maxicode::kAlwaysDark] = 0xFF;
    // Kept at full size from paint to paint: growing it again would clear it first.
    places_.resize(std::size_t{maxicode::kRows} * maxicode::kColumns);
    std::size_t dark = 0;
    const auto& cells = maxicode::cellBits();
    for (int row = 0; row < maxicode::kRows; ++row) {
        const std::int64_t y = oy + std::int64_t{row} * layout_->V;
        const std::int64_t x = ox + (row % 2 == 1 ? layout_->W / 2 : 0);
        const auto& line = cells[static_cast<std::size_t>(row)];
        std::uint32_t bits = 0;
        for (std::size_t group = 0; group < line.masks.size(); ++group) {
            std::uint64_t picked = 0;
            for (std::size_t k = 0; k < 8; ++k) {
                picked |= std::uint64_t{bytes[line.codeword[8 * group + k]]} << (8 * k);
            }
            bits |= nonZeroBytes(picked & line.masks[group]) << (8 * group);
        }
        for (; bits != 0; bits &= bits - 1) {
            places_[dark++] = {x + std::int64_t{std::countr_zero(bits)} * WHexagon, y};
        }
    }
    const std::span<const Place> darkPlaces = std::span(places_).first(dark);
    std::array<ShapeRow, 256> rows{};
    if (pattern.height() <= static_cast<std::int32_t>(rows.size())) {
        for (std::int32_t r = 0; r < pattern.height(); ++r) {
            const auto span = pattern.row(r);
            rows[static_cast<std::size_t>(r)] = {span.from, span.to};
        }
        canvas.stamps({.width = pattern.width(),
                       .rows = std::span(rows).first(static_cast<std::size_t>(pattern.height())),
                       .places = darkPlaces,
                       .colour = BarColor});
    } else {
        runs_.clear();
        for (const Place& at : darkPlaces) addHexagon(runs_, pattern, at.x, at.y, BarColor, clip);
        canvas.pieces(runs_);
    }
    canvas.brush.color = BackColor;
}

}  // namespace qv
