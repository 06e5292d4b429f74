#include "canvas/raster_canvas.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "canvas/batch_writer.h"
#include "canvas/ellipse_shape.h"
#include "canvas/rectangle_parts.h"
#include "canvas/text_render.h"

namespace qv::canvas {

template <class P>
SurfaceOf<P> RasterCanvasT<P>::surface() {
    settle();
    return SurfaceOf<P>{pixels(), bitmap_.width(), bitmap_.height()};
}

template <class P>
bool RasterCanvasT<P>::hold(const FillPart& part) {
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
        base_ = pixel(part.color);
        return true;
    }
    if (held_.size() >= kMaxHeld) return false;
    if (held_.capacity() == 0) held_.swap(spareHeld());
    if (held_.empty()) held_.reserve(32);
    held_.push_back({static_cast<std::int32_t>(l), static_cast<std::int32_t>(t),
                     static_cast<std::int32_t>(r), static_cast<std::int32_t>(b),
                     pixel(part.color)});
    return true;
}

template <class P>
std::vector<FillRectOf<P>>& RasterCanvasT<P>::spareHeld() {
    thread_local std::vector<FillRect> spare;
    return spare;
}

template <class P>
void RasterCanvasT<P>::keepHeld(std::vector<FillRect>& spent) {
    std::vector<FillRect>& spare = spareHeld();
    if (spent.capacity() <= spare.capacity()) return;
    spent.clear();
    spare.swap(spent);
}

template <class P>
void RasterCanvasT<P>::fill(const FillPart& part) {
    // Short fills cost less drawn at once than held, past the first few (a background and its
    // outline); drawing one writes what was held first, which keeps the painting order.
    if (holding_ && (part.bottom - part.top >= kMinHeldRows || held_.size() < kShortHeld) &&
        hold(part)) {
        return;
    }
    surface().fillRect(part.left, part.top, part.right, part.bottom, pixel(part.color));
}

template <class P>
void RasterCanvasT<P>::settle() {
    if (!holding_) return;
    holding_ = false;
    P* const px = pixels();
    const auto w = static_cast<std::size_t>(bitmap_.width());
    const std::int32_t h = bitmap_.height();
    if (w == 0 || h == 0) return;
    if (held_.empty()) {
        fillLong(px, w * static_cast<std::size_t>(h), base_);
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
    // A symbol's fills share a handful of edges: counting them beats a search's mispredictions.
    const bool few = edges.size() <= 16;
    const auto edgeOf = [&](std::int32_t y) {
        if (few) {
            std::size_t below = 0;
            for (const std::int32_t e : edges) below += e < y ? 1 : 0;
            return below;
        }
        return static_cast<std::size_t>(std::lower_bound(edges.begin(), edges.end(), y) -
                                        edges.begin());
    };
    // Fills by the edge of their top, each edge's in painting order (a counting sort).
    starts.assign(edges.size() + 1, 0);
    for (const FillRect& f : held_) ++starts[edgeOf(f.top) + 1];
    for (std::size_t k = 1; k < starts.size(); ++k) starts[k] += starts[k - 1];
    byTop.resize(held_.size());
    for (std::uint32_t i = 0; i < held_.size(); ++i) byTop[starts[edgeOf(held_[i].top)]++] = i;
    const SurfaceOf<P> bands{px, static_cast<std::int64_t>(w), h};
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
        P* row = px + static_cast<std::size_t>(y0) * w;
        // Bands of few rows are copied down whatever their fills: only tall ones are measured.
        bool sparse = y1 - y0 >= kMinFilledBand;
        if (sparse) {
            std::size_t covered = 0;
            for (const std::uint32_t i : active)
                covered += static_cast<std::size_t>(held_[i].right - held_[i].left);
            sparse = covered * kSparseBand <= w;
        }
        if (sparse) {
            // Fills over a small part of a tall band (a border): the band in one go, then each
            // fill down the band. Each pixel still ends in the last fill over it, and a fill's
            // bounds are read once, not once a row.
            fillLong(row, static_cast<std::size_t>(y1 - y0) * w, base_);
            P* const end = row + static_cast<std::size_t>(y1 - y0) * w;
            for (const std::uint32_t i : active) {
                const FillRect& f = held_[i];
                const auto width = static_cast<std::size_t>(f.right - f.left);
                for (P* p = row + f.left; p < end; p += w) fillShort(p, p + width, f.color);
            }
            continue;
        }
        std::fill(row, row + w, base_);
        for (const std::uint32_t i : active) {
            const FillRect& f = held_[i];
            fillShort(row + f.left, row + f.right, f.color);
        }
        bands.repeatRow(y0, y1);
    }
    keepHeld(held_);
    held_ = {};
}

template <class P>
void RasterCanvasT<P>::polygon(std::span<const Point> points) {
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
    const SurfaceOf<P> s = surface();
    if (brush.style == BrushStyle::Solid) fillPolygon(s, points, pixel(brush.color));
    const std::int64_t w = effectivePenWidth(pen);
    const P ink = pixel(pen.color);
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const P64 a = wide(points[i]);
        const P64 b = wide(points[(i + 1) % n]);
        if (w == 1) {
            drawThinLine(s, a, b, ink);
        } else {
            drawThickSegment(s, a, b, w, ink);
        }
    }
}

template <class P>
void RasterCanvasT<P>::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    const bool solid = brush.style == BrushStyle::Solid;
    const P fill = solid ? pixel(brush.color) : P{};
    const P ink = pixel(pen.color);
    drawEllipse(surface(), l, t, r, b, solid ? &fill : nullptr, ink);
}

template <class P>
void RasterCanvasT<P>::line(Point a, Point b) {
    const std::int64_t w = effectivePenWidth(pen);
    const P ink = pixel(pen.color);
    FillPart part{};
    if (w == 1 && asFill({Piece::Kind::Line, a, b, pen.color}, part)) {
        surface().fillRect(part.left, part.top, part.right, part.bottom, ink);
    } else if (w == 1) {
        drawThinLine(surface(), wide(a), wide(b), ink);
    } else if (a != b) {
        drawThickSegment(surface(), wide(a), lastLinePixel(wide(a), wide(b)), w, ink);
    }
}

template <class P>
void RasterCanvasT<P>::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    const P paper = brush.style == BrushStyle::Solid ? pixel(brush.color) : P{};
    const P ink = pixel(font.color);
    if (!renderText(surface(), x, y, text, font, brush, ink, paper) && !text.empty())
        bitmap_.textLeftOut_ = true;
}

template <class P>
std::int32_t RasterCanvasT<P>::textWidth(std::string_view text) {
    return textAdvance(font, text);
}

template <class P>
std::int32_t RasterCanvasT<P>::textHeight(std::string_view) {
    return textCellHeight(font);
}

template <class P>
void RasterCanvasT<P>::copyRect(const Rect& to, Canvas& src, const Rect& from) {
    using Other = std::conditional_t<std::is_same_v<P, std::uint32_t>, std::uint8_t, std::uint32_t>;
    if (auto* same = dynamic_cast<RasterCanvasT<P>*>(&src)) {
        copyFrom(*same, to, from);
    } else if (auto* other = dynamic_cast<RasterCanvasT<Other>*>(&src)) {
        copyFrom(*other, to, from);
    }  // only pixels can be copied
}

template <class P>
template <class Q>
void RasterCanvasT<P>::copyFrom(RasterCanvasT<Q>& source, const Rect& to, const Rect& from) {
    const auto& sb = source.bitmap();
    settle();
    source.settle();
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
    const Q* sp = source.pixels();
    P* dp = pixels();
    const std::int64_t sw = sb.width();
    const std::int64_t dw = bitmap_.width();
    if constexpr (!std::is_same_v<P, Q>) {
        // Across pixel widths: through the colours.
        for (std::int64_t r = 0; r < h; ++r) {
            const Q* in = sp + (sy + r) * sw + sx;
            P* out = dp + (dy + r) * dw + dx;
            for (std::int64_t i = 0; i < w; ++i) out[i] = pixel(source.colourOf(in[i]));
        }
    } else {
        const auto bytes = static_cast<std::size_t>(w) * sizeof(P);
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
}

template class RasterCanvasT<std::uint32_t>;
template class RasterCanvasT<std::uint8_t>;

}  // namespace qv::canvas
