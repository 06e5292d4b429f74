#include "canvas/raster_canvas.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "canvas/ellipse_shape.h"
#include "canvas/rectangle_parts.h"
#include "canvas/text_render.h"

namespace qv::canvas {
namespace {

P64 wide(Point p) {
    return {p.x, p.y};
}

// Most batch fills are a few pixels wide (bars, runs): stores in fours beat a general fill there.
inline void fillShort(std::uint32_t* p, std::uint32_t* end, std::uint32_t colour) {
    for (; end - p >= 4; p += 4) {
        p[0] = colour;
        p[1] = colour;
        p[2] = colour;
        p[3] = colour;
    }
    for (; p < end; ++p) *p = colour;
}

// Whole modules of one grid row, `pitch` pixels each: the usual small pitches unrolled, as a
// loop of unknown length per module costs more than the stores.
template <int Pitch>
void fillModulesOf(std::uint32_t* q, const std::uint8_t* cells, std::int64_t count, TColor dark,
                   TColor light) {
    for (std::int64_t i = 0; i < count; ++i, q += Pitch) {
        const TColor c = cells[i] != 0 ? dark : light;
        for (int k = 0; k < Pitch; ++k) q[k] = c;
    }
}

using ModuleFill = void (*)(std::uint32_t*, const std::uint8_t*, std::int64_t, TColor, TColor);
constexpr std::array<ModuleFill, 9> kModuleFills{
    nullptr,           &fillModulesOf<1>, &fillModulesOf<2>, &fillModulesOf<3>, &fillModulesOf<4>,
    &fillModulesOf<5>, &fillModulesOf<6>, &fillModulesOf<7>, &fillModulesOf<8>};

void fillModules(std::uint32_t* q, const std::uint8_t* cells, std::int64_t count,
                 std::int64_t pitch, TColor dark, TColor light) {
    if (pitch < static_cast<std::int64_t>(kModuleFills.size())) {
        kModuleFills[static_cast<std::size_t>(pitch)](q, cells, count, dark, light);
        return;
    }
    for (std::int64_t i = 0; i < count; ++i, q += pitch) {
        fillShort(q, q + pitch, cells[i] != 0 ? dark : light);
    }
}

// A batch piece as the fill it makes, when it makes one: rectangles, and lines along a row or a
// column (the pixels from a up to, not including, b).
bool asFill(const Piece& p, FillPart& part) {
    if (p.kind == Piece::Kind::Rectangle) {
        part = {std::min(p.a.x, p.b.x), std::min(p.a.y, p.b.y),
                std::int64_t{std::max(p.a.x, p.b.x)} + 1, std::int64_t{std::max(p.a.y, p.b.y)} + 1,
                p.colour};
        return true;
    }
    const bool horizontal = p.a.y == p.b.y;
    if (!horizontal && p.a.x != p.b.x) return false;
    const std::int64_t from = horizontal ? p.a.x : p.a.y;
    const std::int64_t to = horizontal ? p.b.x : p.b.y;
    const std::int64_t lo = from <= to ? from : to + 1;
    const std::int64_t hi = from <= to ? to : from + 1;
    if (horizontal) {
        part = {lo, p.a.y, hi, std::int64_t{p.a.y} + 1, p.colour};
    } else {
        part = {p.a.x, lo, std::int64_t{p.a.x} + 1, hi, p.colour};
    }
    return true;
}

// One fill of a group: columns [left, right) of every row the group covers.
struct Run {
    std::int32_t left, right;
    TColor colour;
};

// Writes the fills of a batch, clipped already. Rows from `pristine` down are not written yet:
// they are the base colour under the fills held back (`under`), and are written only when the
// batch reaches them. Consecutive fills over the same rows (the bars of a symbol row) form a
// group: rows of it that were alike before come out alike, so they are painted once and copied.
class BatchWriter {
  public:
    BatchWriter(const Surface& s, std::int64_t pristine, TColor base,
                std::span<const FillRect> under)
        : s_(s),
          pristine_(pristine),
          base_(base),
          under_(under),
          group_(scratch().group),
          before_(scratch().before),
          same_(scratch().same),
          known_(pristine == 0 && s.height <= RasterCanvas::kMaxKnownRows) {
        group_.clear();
        if (known_) same_.assign(static_cast<std::size_t>(s.height) + 1, 0);
    }
    const Surface& surface() {
        flush();
        reach(s_.height);
        known_ = false;  // drawn on by others from here
        return s_;
    }
    void fill(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, TColor colour) {
        if (!group_.empty() && (t != top_ || b != bottom_)) flush();
        if (group_.empty() && b - t == 1) {
            reach(t + 1);
            fillShort(row(t) + l, row(t) + r, colour);
            mark(t, false);
            mark(t + 1, false);
            return;
        }
        top_ = t;
        bottom_ = b;
        group_.push_back({static_cast<std::int32_t>(l), static_cast<std::int32_t>(r), colour});
    }
    void finish() { surface(); }
    // A group over rows top .. bottom - 1 that the next fills join, all over those rows.
    void startGroup(std::int64_t t, std::int64_t b) {
        if (t != top_ || b != bottom_) flush();
        top_ = t;
        bottom_ = b;
    }
    void addToGroup(std::int64_t l, std::int64_t r, TColor colour) {
        group_.push_back({static_cast<std::int32_t>(l), static_cast<std::int32_t>(r), colour});
    }
    // Writes the rows up to `end` not written yet, as they were before the batch.
    void reach(std::int64_t end) {
        for (std::int64_t y = pristine_; y < end; ++y) {
            const bool copied = y > pristine_ && alikeAbove(y);
            if (copied) {
                copyRow(y, row(y - 1));
            } else {
                restore(y);
            }
            mark(y, copied);
        }
        pristine_ = std::max(pristine_, end);
    }
    // The rows up to `end` are written by the caller.
    void written(std::int64_t end) {
        for (std::int64_t y = pristine_; y < end; ++y) mark(y, false);
        pristine_ = std::max(pristine_, end);
    }
    // Rows y - 1 and y were alike before the batch.
    bool alikeAbove(std::int64_t y) const {
        return std::none_of(under_.begin(), under_.end(),
                            [&](const FillRect& f) { return f.top == y || f.bottom == y; });
    }

  private:
    std::uint32_t* row(std::int64_t y) const { return s_.pixels + y * s_.width; }
    // Whether row y is known to be like row y - 1; false is always safe.
    void mark(std::int64_t y, bool same) {
        if (known_ && y <= s_.height) same_[static_cast<std::size_t>(y)] = same;
    }
    void paint(std::uint32_t* r) const {
        for (const Run& f : group_) fillShort(r + f.left, r + f.right, f.colour);
    }
    // Row y as it was before the batch: the base colour and the held fills over it.
    void restore(std::int64_t y) const {
        std::uint32_t* const r = row(y);
        std::fill(r, r + s_.width, base_);
        for (const FillRect& f : under_) {
            if (f.top <= y && y < f.bottom) std::fill(r + f.left, r + f.right, f.color);
        }
    }
    void copyRow(std::int64_t to, const std::uint32_t* from) const {
        std::memcpy(row(to), from, static_cast<std::size_t>(s_.width) * sizeof(std::uint32_t));
    }
    void flush() {
        if (group_.empty()) return;
        reach(top_);
        paintWritten();
        // Rows not written yet: the first of each run of alike rows is painted, the rest copied.
        const std::uint32_t* painted = nullptr;
        for (std::int64_t y = std::max(top_, pristine_); y < bottom_; ++y) {
            if (painted != nullptr && alikeAbove(y)) {
                copyRow(y, painted);
                mark(y, true);
                continue;
            }
            restore(y);
            paint(row(y));
            painted = row(y);
            mark(y, false);
        }
        pristine_ = std::max(pristine_, bottom_);
        mark(bottom_, false);  // the row below was not painted
        group_.clear();
    }
    // Rows written before: a row that was like the last one painted comes out like it.
    void paintWritten() {
        const std::int64_t end = std::min(bottom_, pristine_);
        mark(top_, false);  // the row above is not painted
        if (known_ && end - top_ > 1) {
            // Rows known to be alike stay alike: painted once, then copied.
            std::int32_t from = group_.front().left, to = group_.front().right;
            for (const Run& f : group_) {
                from = std::min(from, f.left);
                to = std::max(to, f.right);
            }
            const auto bytes = static_cast<std::size_t>(to - from) * sizeof(std::uint32_t);
            for (std::int64_t y = top_; y < end; ++y) {
                if (y > top_ && same_[static_cast<std::size_t>(y)] != 0) {
                    std::memcpy(row(y) + from, row(y - 1) + from, bytes);
                } else {
                    paint(row(y));
                }
            }
            return;
        }
        if (end - top_ <= 2) {
            // A row or two (where a group meets the one above): painting beats comparing.
            for (std::int64_t y = top_; y < end; ++y) paint(row(y));
            return;
        }
        std::int32_t from = group_.front().left, to = group_.front().right;
        for (const Run& f : group_) {
            from = std::min(from, f.left);
            to = std::max(to, f.right);
        }
        const auto bytes = static_cast<std::size_t>(to - from) * sizeof(std::uint32_t);
        const bool copies = to - from <= RasterCanvas::kMaxCopiedRow;
        const std::uint32_t* painted = nullptr;
        for (std::int64_t y = top_; y < end; ++y) {
            std::uint32_t* const r = row(y);
            if (painted != nullptr && std::memcmp(r + from, before_.data(), bytes) == 0) {
                std::memcpy(r + from, painted + from, bytes);
                continue;
            }
            if (copies) {
                before_.assign(r + from, r + to);
                painted = r;
            }
            paint(r);
        }
    }

    Surface s_;
    std::int64_t pristine_;
    TColor base_;
    std::span<const FillRect> under_;
    std::int64_t top_ = 0;
    std::int64_t bottom_ = 0;
    // Scratch kept per thread: the group's fills and a row as it was before them. Looked up
    // once, as every use of a thread's variable would check that it exists.
    struct Scratch {
        std::vector<Run> group;
        std::vector<std::uint32_t> before;
        std::vector<std::uint8_t> same;
    };
    static Scratch& scratch() {
        thread_local Scratch kept;
        return kept;
    }
    std::vector<Run>& group_;
    std::vector<std::uint32_t>& before_;
    // On a fresh bitmap the writer knows which rows are alike, so it never compares them.
    std::vector<std::uint8_t>& same_;
    bool known_;
};

}  // namespace

Surface RasterCanvas::surface() {
    settle();
    return Surface{bitmap_.pixels_.get(), bitmap_.width(), bitmap_.height()};
}

bool RasterCanvas::hold(const FillPart& part) {
    const std::int64_t w = bitmap_.width();
    const std::int64_t h = bitmap_.height();
    const std::int64_t l = std::max<std::int64_t>(part.left, 0);
    const std::int64_t t = std::max<std::int64_t>(part.top, 0);
    const std::int64_t r = std::min(part.right, w);
    const std::int64_t b = std::min(part.bottom, h);
    if (l >= r || t >= b) return true;
    if (l == 0 && t == 0 && r == w && b == h) {
        // Covers everything: what was held before is hidden.
        held_.clear();
        base_ = part.color;
        return true;
    }
    if (held_.size() >= kMaxHeld) return false;
    if (held_.empty()) held_.reserve(256);
    held_.push_back({static_cast<std::int32_t>(l), static_cast<std::int32_t>(t),
                     static_cast<std::int32_t>(r), static_cast<std::int32_t>(b), part.color});
    return true;
}

void RasterCanvas::fill(const FillPart& part) {
    // Short fills cost less drawn at once than held, past the first few (a background and its
    // outline); drawing one writes what was held first, which keeps the painting order.
    if (holding_ && (part.bottom - part.top >= kMinHeldRows || held_.size() < kShortHeld) &&
        hold(part)) {
        return;
    }
    surface().fillRect(part.left, part.top, part.right, part.bottom, part.color);
}

void RasterCanvas::settle() {
    if (!holding_) return;
    holding_ = false;
    std::uint32_t* const px = bitmap_.pixels_.get();
    const auto w = static_cast<std::size_t>(bitmap_.width());
    const std::int32_t h = bitmap_.height();
    if (w == 0 || h == 0) return;
    if (held_.empty()) {
        std::fill(px, px + w * static_cast<std::size_t>(h), base_);
        return;
    }
    // Scratch kept per thread, so that settling allocates nothing once warm.
    struct Scratch {
        std::vector<std::int32_t> edges;
        std::vector<std::uint32_t> byTop;
        std::vector<std::uint32_t> active;
        std::vector<std::uint32_t> starts;
        std::vector<std::uint32_t> merged;
    };
    thread_local Scratch scratch;
    auto& edges = scratch.edges;
    auto& byTop = scratch.byTop;
    auto& active = scratch.active;
    auto& starts = scratch.starts;
    auto& merged = scratch.merged;
    // Bands of rows between consecutive edges are covered by the same fills, so they are alike.
    // Neighbouring fills mostly share their rows (the bars of a symbol): few edges to sort.
    edges.assign({0, h});
    active.clear();
    for (std::size_t i = 0; i < held_.size(); ++i) {
        const FillRect& f = held_[i];
        if (i == 0 || f.top != held_[i - 1].top) edges.push_back(f.top);
        if (i == 0 || f.bottom != held_[i - 1].bottom) edges.push_back(f.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    // Fills by the edge of their top, each edge's in painting order (a counting sort).
    const auto edgeOf = [&](std::int32_t y) {
        return static_cast<std::size_t>(std::lower_bound(edges.begin(), edges.end(), y) -
                                        edges.begin());
    };
    starts.assign(edges.size() + 1, 0);
    for (const FillRect& f : held_) ++starts[edgeOf(f.top) + 1];
    for (std::size_t k = 1; k < starts.size(); ++k) starts[k] += starts[k - 1];
    byTop.resize(held_.size());
    for (std::uint32_t i = 0; i < held_.size(); ++i) byTop[starts[edgeOf(held_[i].top)]++] = i;
    std::size_t next = 0;
    for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
        const std::int32_t y0 = edges[k];
        const std::int32_t y1 = edges[k + 1];
        std::erase_if(active, [&](std::uint32_t i) { return held_[i].bottom <= y0; });
        // Every top is an edge, so the fills starting here are exactly those with top == y0;
        // the active ones stay in painting order.
        const std::size_t first = next;
        while (next < byTop.size() && held_[byTop[next]].top == y0) ++next;
        if (first != next) {
            merged.clear();
            std::merge(
                active.begin(), active.end(), byTop.begin() + static_cast<std::ptrdiff_t>(first),
                byTop.begin() + static_cast<std::ptrdiff_t>(next), std::back_inserter(merged));
            active.swap(merged);
        }
        std::uint32_t* row = px + static_cast<std::size_t>(y0) * w;
        std::fill(row, row + w, base_);
        for (const std::uint32_t i : active) {
            const FillRect& f = held_[i];
            fillShort(row + f.left, row + f.right, f.color);
        }
        for (std::int32_t y = y0 + 1; y < y1; ++y) {
            std::memcpy(px + static_cast<std::size_t>(y) * w, row, w * sizeof(std::uint32_t));
        }
    }
    held_ = {};
}

void RasterCanvas::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;  // the platform draws no figure of fewer than two points
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (axisAlignedRectangle(points, x0, y0, x1, y1)) {
        if (effectivePenWidth(pen) == 1 && brush.style == BrushStyle::Solid &&
            brush.color == pen.color) {
            fill({x0, y0, x1 + 1, y1 + 1, pen.color});  // one part, as rectangleParts gives
            return;
        }
        for (const FillPart& f : rectangleParts(x0, y0, x1, y1, pen, brush)) fill(f);
        return;
    }
    const Surface s = surface();
    if (brush.style == BrushStyle::Solid) fillPolygon(s, points, brush.color);
    const std::int64_t w = effectivePenWidth(pen);
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const P64 a = wide(points[i]);
        const P64 b = wide(points[(i + 1) % n]);
        if (w == 1) {
            drawThinLine(s, a, b, pen.color);
        } else {
            drawThickSegment(s, a, b, w, pen.color);
        }
    }
}

void RasterCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    const TColor* fill = brush.style == BrushStyle::Solid ? &brush.color : nullptr;
    drawEllipse(surface(), l, t, r, b, fill, pen.color);
}

void RasterCanvas::line(Point a, Point b) {
    const std::int64_t w = effectivePenWidth(pen);
    FillPart part{};
    if (w == 1 && asFill({Piece::Kind::Line, a, b, pen.color}, part)) {
        surface().fillRect(part.left, part.top, part.right, part.bottom, part.color);
    } else if (w == 1) {
        drawThinLine(surface(), wide(a), wide(b), pen.color);
    } else if (a != b) {
        drawThickSegment(surface(), wide(a), lastLinePixel(wide(a), wide(b)), w, pen.color);
    }
}

bool RasterCanvas::beginBatch(std::vector<FillRect>& under) {
    // A fresh bitmap with few fills held is written as the batch reaches its rows.
    const bool fresh = holding_ && held_.size() <= kShortHeld;
    if (fresh) {
        holding_ = false;
        under.swap(held_);
    }
    return fresh;
}

void RasterCanvas::pieces(std::span<const Piece> batch) {
    if (batch.empty()) return;
    const Piece* lastRectangle = nullptr;
    // On a fresh bitmap the fills join those held back, to be written band by band, each band's
    // rows once, however many shapes cover them; unless they all cover the same rows (the bars
    // of a linear symbol), which a batch writes more cheaply still.
    std::size_t held = 0;
    const bool holdAll = holding_ && !sameRows(batch);
    for (FillPart part{}; holdAll && held < batch.size(); ++held) {
        if (!asFill(batch[held], part) || !hold(part)) break;
        if (batch[held].kind == Piece::Kind::Rectangle) lastRectangle = &batch[held];
    }
    if (held < batch.size()) drawPieces(batch.subspan(held), lastRectangle);
    pen.width = 1;
    pen.color = batch.back().colour;
    if (lastRectangle != nullptr) {
        brush.style = BrushStyle::Solid;
        brush.color = lastRectangle->colour;
    }
}

bool RasterCanvas::sameRows(std::span<const Piece> batch) const {
    const std::int64_t h = bitmap_.height();
    std::int64_t top = -1, bottom = -1;
    for (const Piece& p : batch) {
        FillPart part{};
        if (!asFill(p, part)) return false;
        const std::int64_t t = std::clamp<std::int64_t>(part.top, 0, h);
        const std::int64_t b = std::clamp<std::int64_t>(part.bottom, 0, h);
        if (top < 0) top = t, bottom = b;
        if (t != top || b != bottom) return false;
    }
    return true;
}

void RasterCanvas::drawPieces(std::span<const Piece> batch, const Piece*& lastRectangle) {
    std::vector<FillRect> under;
    const bool fresh = beginBatch(under);
    const Surface s = surface();
    std::span<const Piece> rest = batch;
    if (!fresh) {
        // Runs along a row onto pixels already written (a symbol's modules after its finder
        // pattern): each is one fill.
        std::size_t i = 0;
        for (; i < batch.size(); ++i) {
            const Piece& p = batch[i];
            if (p.kind != Piece::Kind::Line || p.a.y != p.b.y) break;
            if (p.a.y < 0 || p.a.y >= s.height) continue;
            // The pixels from a up to, not including, b.
            const std::int64_t lo = p.a.x <= p.b.x ? p.a.x : std::int64_t{p.b.x} + 1;
            const std::int64_t hi = p.a.x <= p.b.x ? p.b.x : std::int64_t{p.a.x} + 1;
            const std::int64_t l = std::max<std::int64_t>(lo, 0);
            const std::int64_t r = std::min(hi, s.width);
            if (l >= r) continue;
            std::uint32_t* const row = s.pixels + p.a.y * s.width;
            fillShort(row + l, row + r, p.colour);
        }
        rest = batch.subspan(i);
    }
    BatchWriter writer(s, fresh ? 0 : s.height, base_, under);
    for (const Piece& p : rest) {
        if (p.kind == Piece::Kind::Rectangle) lastRectangle = &p;
        FillPart part{};
        if (!asFill(p, part)) {
            drawThinLine(writer.surface(), wide(p.a), wide(p.b), p.colour);
            continue;
        }
        const std::int64_t l = std::max<std::int64_t>(part.left, 0);
        const std::int64_t t = std::max<std::int64_t>(part.top, 0);
        const std::int64_t r = std::min(part.right, s.width);
        const std::int64_t b = std::min(part.bottom, s.height);
        if (l < r && t < b) writer.fill(l, t, r, b, part.color);
    }
    writer.finish();
}

void RasterCanvas::barRows(const BarRows& bars) {
    const std::int64_t m = bars.moduleWidth;
    const std::int64_t h = bars.rowHeight;
    if (m < 1 || h < 0) {
        Canvas::barRows(bars);
        return;
    }
    std::vector<FillRect> under;
    const bool fresh = beginBatch(under);
    const Surface s = surface();
    BatchWriter writer(s, fresh ? 0 : s.height, base_, under);
    bool drawn = false;
    for (std::size_t r = 0; r < bars.rows.size(); ++r) {
        const std::int64_t y = bars.top + static_cast<std::int64_t>(r) * h;
        const std::int64_t top = std::max<std::int64_t>(y, 0);
        const std::int64_t bottom = std::min(y + h + 1, s.height);
        if (top >= bottom) continue;
        const std::string& runs = bars.rows[r];
        writer.startGroup(top, bottom);
        std::int64_t x = bars.left;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const char c = runs[i];
            if (c < '1' || c > '8') continue;
            const std::int64_t width = (c - '0') * m;
            const std::int64_t l = std::max<std::int64_t>(x, 0);
            const std::int64_t right = std::min(x + width, s.width);
            if (i % 2 == 0 && l < right) {
                writer.addToGroup(l, right, bars.colour);
                drawn = true;
            }
            x += width;
        }
    }
    writer.finish();
    if (!drawn) return;
    pen.width = 1;
    pen.color = bars.colour;
    brush.style = BrushStyle::Solid;
    brush.color = bars.colour;
}

void RasterCanvas::stamps(const Stamps& shape) {
    const Surface s = surface();
    const auto height = static_cast<std::int64_t>(shape.rows.size());
    const bool rowsWithin = std::all_of(shape.rows.begin(), shape.rows.end(), [&](ShapeRow row) {
        return row.from >= row.to || (row.from >= 0 && row.to <= shape.width);
    });
    bool drawn = false;
    for (const Place& at : shape.places) {
        if (at.x >= s.width || at.y >= s.height || at.x + shape.width <= 0 || at.y + height <= 0)
            continue;
        const std::int64_t firstRow = std::max<std::int64_t>(0, -at.y);
        const std::int64_t endRow = std::min<std::int64_t>(height, s.height - at.y);
        std::uint32_t* line = s.pixels + (at.y + firstRow) * s.width;
        if (rowsWithin && at.x >= 0 && at.x + shape.width <= s.width) {
            // Wholly inside across: no column to clip.
            for (std::int64_t r = firstRow; r < endRow; ++r, line += s.width) {
                const ShapeRow& row = shape.rows[static_cast<std::size_t>(r)];
                if (row.from >= row.to) continue;
                fillShort(line + at.x + row.from, line + at.x + row.to, shape.colour);
                drawn = true;
            }
            continue;
        }
        for (std::int64_t r = firstRow; r < endRow; ++r, line += s.width) {
            const ShapeRow& row = shape.rows[static_cast<std::size_t>(r)];
            const std::int64_t from = std::max<std::int64_t>(at.x + row.from, 0);
            const std::int64_t to = std::min<std::int64_t>(at.x + row.to, s.width);
            if (from >= to) continue;
            fillShort(line + from, line + to, shape.colour);
            drawn = true;
        }
    }
    if (!drawn) return;
    pen.width = 1;
    pen.color = shape.colour;
}

void RasterCanvas::moduleGrid(const ModuleGrid& grid) {
    const std::int64_t p = grid.pitch;
    const std::int64_t columns = grid.columns;
    const std::int64_t rows = grid.rows;
    if (p < 1 || columns < 1 || rows < 1 ||
        grid.modules.size() < static_cast<std::size_t>(columns * rows)) {
        Canvas::moduleGrid(grid);
        return;
    }
    pen.width = 1;
    brush.style = BrushStyle::Solid;
    // Painted in order, each square over the edge its neighbours share: a pixel shows the module
    // whose square starts at or before it, the last row and column reaching one pixel further.
    const std::int64_t x0 = grid.left;
    const std::int64_t y0 = grid.top;
    const std::int64_t w = bitmap_.width();
    const std::int64_t h = bitmap_.height();
    const std::int64_t xs = std::max<std::int64_t>(x0, 0);
    const std::int64_t xe = std::min(x0 + columns * p, w - 1);  // inclusive
    const std::int64_t ys = std::max<std::int64_t>(y0, 0);
    const std::int64_t ye = std::min(y0 + rows * p, h - 1);
    const auto dark = [&](std::int64_t c, std::int64_t r) {
        return grid.modules[static_cast<std::size_t>(r * columns + c)] != 0;
    };
    const auto index = [&](std::int64_t v, std::int64_t origin, std::int64_t count) {
        return std::min((v - origin) / p, count - 1);
    };
    // The pen and brush keep the colour of the last square drawn: the last one reaching into
    // the clip rectangle, even an empty one.
    const auto lastWithin = [&](std::int64_t origin, std::int64_t count, std::int64_t end) {
        if (end - 1 < origin) return std::int64_t{-1};
        const std::int64_t i = std::min(count - 1, (end - 1 - origin) / p);
        return origin + i * p + p >= 0 ? i : -1;
    };
    const std::int64_t lastRow = lastWithin(y0, rows, h);
    const std::int64_t lastColumnWithin = lastWithin(x0, columns, w);
    if (lastRow >= 0 && lastColumnWithin >= 0) {
        const TColor last = dark(lastColumnWithin, lastRow) ? grid.dark : grid.light;
        pen.color = last;
        brush.color = last;
    }
    if (xs > xe || ys > ye) return;  // nothing visible
    const std::int64_t firstColumn = index(xs, x0, columns);
    const std::int64_t lastColumn = index(xe, x0, columns);
    const auto build = [&](std::uint32_t* line, std::int64_t r) {
        const std::uint8_t* const cells = grid.modules.data() + r * columns;
        const auto colour = [&](std::int64_t c) { return cells[c] != 0 ? grid.dark : grid.light; };
        // The first and last columns may be cut by the clip; those between are whole.
        const auto edgeColumn = [&](std::int64_t c) {
            const std::int64_t from = std::max(x0 + c * p, xs);
            const std::int64_t to = c == columns - 1 ? xe : std::min(x0 + (c + 1) * p - 1, xe);
            fillShort(line + from, line + to + 1, colour(c));
        };
        edgeColumn(firstColumn);
        if (lastColumn == firstColumn) return;
        fillModules(line + (x0 + (firstColumn + 1) * p), cells + firstColumn + 1,
                    lastColumn - firstColumn - 1, p, grid.dark, grid.light);
        edgeColumn(lastColumn);
    };
    // On a fresh bitmap every row is written once: as it was before, with the grid over it, or
    // copied whole from the row above when both it and the grid row are alike.
    std::vector<FillRect> under;
    const bool fresh = beginBatch(under);
    const Surface s = surface();
    BatchWriter writer(s, fresh ? 0 : s.height, base_, under);
    writer.reach(ys);
    const auto gridBytes = static_cast<std::size_t>(xe - xs + 1) * sizeof(std::uint32_t);
    std::int64_t builtRow = -1;
    for (std::int64_t y = ys; y <= ye; ++y) {
        std::uint32_t* const line = s.pixels + y * w;
        const std::int64_t r = index(y, y0, rows);
        if (fresh) {
            if (r == builtRow && writer.alikeAbove(y)) {
                std::memcpy(line, line - w, static_cast<std::size_t>(w) * sizeof(std::uint32_t));
                writer.written(y + 1);
                continue;
            }
            writer.reach(y + 1);
        }
        if (r == builtRow) {
            std::memcpy(line + xs, line - w + xs, gridBytes);
        } else {
            build(line, r);
            builtRow = r;
        }
    }
    writer.finish();
}

void RasterCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    renderText(surface(), x, y, text, font, brush);
}

std::int32_t RasterCanvas::textWidth(std::string_view text) {
    return textAdvance(font, text);
}

std::int32_t RasterCanvas::textHeight(std::string_view) {
    return textCellHeight(font);
}

void RasterCanvas::copyRect(const Rect& to, Canvas& src, const Rect& from) {
    const auto* source = dynamic_cast<const RasterCanvas*>(&src);
    if (source == nullptr) return;  // only pixels can be copied
    const Bitmap& sb = source->bitmap();
    settle();
    sb.settle();
    // Same size, no stretching: the smaller of the two rectangles, clipped on both sides.
    std::int64_t w =
        std::min(std::int64_t{to.right} - to.left, std::int64_t{from.right} - from.left);
    std::int64_t h =
        std::min(std::int64_t{to.bottom} - to.top, std::int64_t{from.bottom} - from.top);
    std::int64_t sx = from.left;
    std::int64_t sy = from.top;
    std::int64_t dx = to.left;
    std::int64_t dy = to.top;
    auto clipStart = [&](std::int64_t& a, std::int64_t& b, std::int64_t& len) {
        const std::int64_t skip = std::max<std::int64_t>({0, -a, -b});
        a += skip;
        b += skip;
        len -= skip;
    };
    clipStart(sx, dx, w);
    clipStart(sy, dy, h);
    w = std::min({w, std::int64_t{sb.width()} - sx, std::int64_t{bitmap_.width()} - dx});
    h = std::min({h, std::int64_t{sb.height()} - sy, std::int64_t{bitmap_.height()} - dy});
    if (w <= 0 || h <= 0) return;
    const std::uint32_t* sp = sb.pixels_.get();
    std::uint32_t* dp = bitmap_.pixels_.get();
    const std::int64_t sw = sb.width();
    const std::int64_t dw = bitmap_.width();
    const auto bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
    // Overlapping copies within one bitmap: walk rows away from the destination.
    if (sp == dp && dy > sy) {
        for (std::int64_t r = h - 1; r >= 0; --r) {
            std::memmove(dp + (dy + r) * dw + dx, sp + (sy + r) * sw + sx, bytes);
        }
    } else {
        for (std::int64_t r = 0; r < h; ++r) {
            std::memmove(dp + (dy + r) * dw + dx, sp + (sy + r) * sw + sx, bytes);
        }
    }
}

}  // namespace qv::canvas
