#include "canvas/ellipse_shape.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace qv::canvas {
namespace {

// Zingl's integer ellipse step for semi-axes a and b (as diameters minus one); it moves x
// inwards and y outwards from the middle row of the box.
class EllipseStep {
  public:
    EllipseStep(std::int64_t a, std::int64_t b)
        : a8_(8 * a * a),
          b8_(8 * b * b),
          dx_(4 * b * b * (1 - a)),
          dy_(4 * a * a * (1 + (b % 2))),
          err_(dx_ + dy_ + a * a * (b % 2)) {}

    struct Move {
        bool x;
        bool y;
    };
    Move step() {
        const std::int64_t e2 = 2 * err_;
        Move m{false, false};
        if (e2 >= dx_) {
            m.x = true;
            dx_ += b8_;
            err_ += dx_;
        }
        if (e2 <= dy_) {
            m.y = true;
            dy_ += a8_;
            err_ += dy_;
        }
        return m;
    }

  private:
    std::int64_t a8_;
    std::int64_t b8_;
    std::int64_t dx_;
    std::int64_t dy_;
    std::int64_t err_;
};

template <class P>
void drawCentreRuleEllipse(const SurfaceOf<P>& s, std::int64_t l, std::int64_t t, std::int64_t r,
                           std::int64_t b, const P* brush, P pen) {
    const long double rx = static_cast<long double>(r - l) / 2;
    const long double ry = static_cast<long double>(b - t) / 2;
    const long double cx = static_cast<long double>(l) + rx;
    const long double cy = static_cast<long double>(t) + ry;
    const std::int64_t y0 = std::max<std::int64_t>(t, 0);
    const std::int64_t y1 = std::min<std::int64_t>(b, s.height);
    for (std::int64_t y = y0; y < y1; ++y) {
        const long double v = (static_cast<long double>(y) + 0.5L - cy) / ry;
        if (v * v >= 1) continue;
        const long double half = rx * std::sqrt(1 - v * v);
        // Columns whose centre lies strictly inside.
        const auto x0 = static_cast<std::int64_t>(std::floor(cx - half + 0.5L));
        const auto x1 = static_cast<std::int64_t>(std::ceil(cx + half - 0.5L));
        if (x0 >= x1) continue;
        if (brush != nullptr) s.fillSpan(y, x0, x1, *brush);
        s.set(x0, y, pen);
        s.set(x1 - 1, y, pen);
    }
}

}  // namespace

EllipseShape steppedEllipse(std::int64_t w, std::int64_t h) {
    EllipseShape shape;
    shape.inset.assign(static_cast<std::size_t>(h), -1);
    const std::int64_t a = w - 1;
    const std::int64_t b = h - 1;
    {
        std::int64_t x = a;
        std::int64_t y = h / 2;
        EllipseStep step(a, b);
        while (x >= w / 2 && y < h) {
            shape.outline.push_back({x, y});
            const auto m = step.step();
            if (m.x) --x;
            if (m.y) ++y;
        }
        // Narrow boxes stop the step before the last rows: their tips run on along the middle
        // column, as in Zingl's own finishing loop.
        for (; y < h; ++y) shape.outline.push_back({w / 2, y});
    }
    {
        std::int64_t s = 0;
        std::int64_t y = h / 2;
        shape.inset[static_cast<std::size_t>(y)] = 0;
        EllipseStep step(a, b);
        while (s <= w / 2) {
            const auto m = step.step();
            if (m.x) ++s;
            if (m.y) {
                ++y;
                if (y >= h) break;
                shape.inset[static_cast<std::size_t>(y)] = s;
            }
        }
    }
    for (std::int64_t i = 0; i < h / 2; ++i) {
        shape.inset[static_cast<std::size_t>(i)] = shape.inset[static_cast<std::size_t>(h - 1 - i)];
    }
    return shape;
}

namespace {

// Fills in shape.solid for a kept shape of w x h pixels.
void findSolidRows(EllipseShape& shape, std::int64_t w, std::int64_t h) {
    // Every covered pixel marked, then each row read back as one run or none.
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(w * h), 0);
    const auto mark = [&](std::int64_t x, std::int64_t y) {
        covered[static_cast<std::size_t>(y * w + x)] = 1;
    };
    for (std::int64_t y = 0; y < h; ++y) {
        const std::int64_t in = shape.inset[static_cast<std::size_t>(y)];
        for (std::int64_t x = in; in >= 0 && x < w - in; ++x) mark(x, y);
    }
    for (const P64 p : shape.outline) {
        mark(p.x, p.y);
        mark(w - 1 - p.x, p.y);
        mark(p.x, h - 1 - p.y);
        mark(w - 1 - p.x, h - 1 - p.y);
    }
    std::vector<ShapeRow> rows(static_cast<std::size_t>(h));
    for (std::int64_t y = 0; y < h; ++y) {
        const std::uint8_t* const row = covered.data() + y * w;
        const std::uint8_t* const from = std::find(row, row + w, 1);
        const std::uint8_t* const to = std::find(from, row + w, 0);
        if (std::find(to, row + w, 1) != row + w) return;  // two runs: outline and fill apart
        rows[static_cast<std::size_t>(y)] = {static_cast<std::int32_t>(from - row),
                                             static_cast<std::int32_t>(to - row)};
    }
    shape.solid = std::move(rows);
}

// Shapes by box size, kept per thread for boxes up to kKeptSide: symbols draw the same few
// ellipses paint after paint.
const EllipseShape& shapeOf(std::int64_t w, std::int64_t h, EllipseShape& fresh) {
    constexpr std::int64_t kKeptSide = 256;
    if (w > kKeptSide || h > kKeptSide) {
        fresh = steppedEllipse(w, h);
        return fresh;
    }
    struct Kept {
        std::int64_t w = 0, h = 0;
        EllipseShape shape;
    };
    thread_local std::array<Kept, 8> kept;
    thread_local std::size_t next = 0;
    for (const Kept& k : kept) {
        if (k.w == w && k.h == h) return k.shape;
    }
    Kept& k = kept[next];
    next = (next + 1) % kept.size();
    k = {w, h, steppedEllipse(w, h)};
    findSolidRows(k.shape, w, h);
    return k.shape;
}

}  // namespace

template <class P>
void drawEllipse(const SurfaceOf<P>& s, std::int64_t l, std::int64_t t, std::int64_t r,
                 std::int64_t b, const P* brush, std::type_identity_t<P> pen) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    const std::int64_t w = r - l;
    const std::int64_t h = b - t;
    if (w == 0 || h == 0) return;
    if (r <= 0 || b <= 0 || l >= s.width || t >= s.height) return;
    if (w <= 2 || h <= 2) {
        s.fillRect(l, t, r, b, pen);
        return;
    }
    if (w > kMaxSteppedEllipse || h > kMaxSteppedEllipse) {
        drawCentreRuleEllipse(s, l, t, r, b, brush, pen);
        return;
    }
    EllipseShape fresh;
    const EllipseShape& shape = shapeOf(w, h, fresh);
    if (brush != nullptr && *brush == pen && !shape.solid.empty()) {
        // One colour: each row's cover in one fill, no outline pixel written over the interior.
        const std::int64_t first = std::max<std::int64_t>(0, -t);
        const std::int64_t end = std::min(h, s.height - t);
        P* row = s.pixels + (t + first) * s.width;
        for (std::int64_t i = first; i < end; ++i, row += s.width) {
            const ShapeRow span = shape.solid[static_cast<std::size_t>(i)];
            const std::int64_t from = std::max<std::int64_t>(l + span.from, 0);
            const std::int64_t to = std::min<std::int64_t>(l + span.to, s.width);
            if (from < to) fillShort(row + from, row + to, pen);
        }
        return;
    }
    if (l >= 0 && t >= 0 && r <= s.width && b <= s.height) {
        // Wholly inside: nothing to clip.
        P* const top = s.pixels + t * s.width + l;
        P* const bottom = s.pixels + (b - 1) * s.width + l;
        if (brush != nullptr) {
            P* row = top;
            for (const std::int64_t in : shape.inset) {
                if (in >= 0) fillShort(row + in, row + w - in, *brush);
                row += s.width;
            }
        }
        for (const P64 p : shape.outline) {
            top[p.y * s.width + p.x] = pen;
            top[p.y * s.width + w - 1 - p.x] = pen;
            bottom[-p.y * s.width + p.x] = pen;
            bottom[-p.y * s.width + w - 1 - p.x] = pen;
        }
        return;
    }
    if (brush != nullptr) {
        for (std::int64_t i = 0; i < h; ++i) {
            const std::int64_t in = shape.inset[static_cast<std::size_t>(i)];
            if (in >= 0) s.fillSpan(t + i, l + in, r - in, *brush);
        }
    }
    for (const P64 p : shape.outline) {
        s.set(l + p.x, t + p.y, pen);
        s.set(r - 1 - p.x, t + p.y, pen);
        s.set(l + p.x, b - 1 - p.y, pen);
        s.set(r - 1 - p.x, b - 1 - p.y, pen);
    }
}

template void drawEllipse<std::uint32_t>(const Surface&, std::int64_t, std::int64_t, std::int64_t,
                                         std::int64_t, const std::uint32_t*, std::uint32_t);
template void drawEllipse<std::uint8_t>(const IndexSurface&, std::int64_t, std::int64_t,
                                        std::int64_t, std::int64_t, const std::uint8_t*,
                                        std::uint8_t);

}  // namespace qv::canvas
