#include "canvas/raster_shapes.h"

#include <algorithm>
#include <array>
#include <vector>

#include "canvas/wide_int.h"

namespace qv::canvas {
namespace {

// Crossings of a scan line; the stack holds the common small polygons without allocating.
class Crossings {
  public:
    explicit Crossings(std::size_t capacity) {
        if (capacity > stack_.size()) heap_.resize(capacity);
        data_ = heap_.empty() ? stack_.data() : heap_.data();
    }
    void clear() { size_ = 0; }
    void push(std::int64_t x) { data_[size_++] = x; }
    void sort() { std::sort(data_, data_ + size_); }
    std::size_t size() const { return size_; }
    std::int64_t operator[](std::size_t i) const { return data_[i]; }

  private:
    std::array<std::int64_t, 16> stack_{};
    std::vector<std::int64_t> heap_;
    std::int64_t* data_ = nullptr;
    std::size_t size_ = 0;
};

template <class Px, class Pt>
void fillPolygonImpl(const SurfaceOf<Px>& s, std::span<const Pt> pts, Px color) {
    const std::size_t n = pts.size();
    if (n < 3) return;
    std::int64_t minY = pts[0].y;
    std::int64_t maxY = pts[0].y;
    for (const Pt& p : pts) {
        minY = std::min<std::int64_t>(minY, p.y);
        maxY = std::max<std::int64_t>(maxY, p.y);
    }
    const std::int64_t y0 = std::max<std::int64_t>(minY, 0);
    const std::int64_t y1 = std::min<std::int64_t>(maxY, s.height);
    if (y0 >= y1) return;
    Crossings xs(n);
    for (std::int64_t y = y0; y < y1; ++y) {
        xs.clear();
        for (std::size_t i = 0; i < n; ++i) {
            P64 a{pts[i].x, pts[i].y};
            P64 b{pts[(i + 1) % n].x, pts[(i + 1) % n].y};
            if (a.y == b.y) continue;
            if (a.y > b.y) std::swap(a, b);
            if (y < a.y || y >= b.y) continue;
            // First pixel column at or right of the crossing.
            const Int128 num = Int128{y - a.y} * Int128{b.x - a.x};
            xs.push(a.x + static_cast<std::int64_t>(ceilDiv(num, b.y - a.y)));
        }
        xs.sort();
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2) s.fillSpan(y, xs[k], xs[k + 1], color);
    }
}

std::int64_t sign(std::int64_t v) {
    return (v > 0) - (v < 0);
}

Int128 cross(P64 o, P64 a, P64 b) {
    return Int128{a.x - o.x} * Int128{b.y - o.y} - Int128{a.y - o.y} * Int128{b.x - o.x};
}

}  // namespace

template <class P>
void fillPolygon(const SurfaceOf<P>& s, std::span<const Point> points,
                 std::type_identity_t<P> color) {
    fillPolygonImpl(s, points, color);
}
template <class P>
void fillPolygon(const SurfaceOf<P>& s, std::span<const P64> points,
                 std::type_identity_t<P> color) {
    fillPolygonImpl(s, points, color);
}

template <class P>
void drawThinLine(const SurfaceOf<P>& s, P64 a, P64 b, std::type_identity_t<P> color) {
    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) return;
    // Walk the major axis; the minor coordinate at step i is round(i * minor / major).
    const bool xMajor = adx >= ady;
    const std::int64_t major = xMajor ? adx : ady;
    const std::int64_t minor = xMajor ? ady : adx;
    const std::int64_t sMajor = sign(xMajor ? dx : dy);
    const std::int64_t sMinor = sign(xMajor ? dy : dx);
    const std::int64_t start = xMajor ? a.x : a.y;
    const std::int64_t startMinor = xMajor ? a.y : a.x;
    const std::int64_t limit = xMajor ? s.width : s.height;
    // Steps whose major coordinate lies on the surface.
    std::int64_t lo = 0;
    std::int64_t hi = major;
    if (sMajor > 0) {
        lo = std::max<std::int64_t>(lo, -start);
        hi = std::min<std::int64_t>(hi, limit - start);
    } else {
        lo = std::max<std::int64_t>(lo, start - limit + 1);
        hi = std::min<std::int64_t>(hi, start + 1);
    }
    if (lo >= hi) return;
    const std::int64_t den = 2 * major;
    std::int64_t q = 0;
    std::int64_t r = major;
    if (lo > 0) {
        const Int128 num0 = Int128{2} * lo * minor + major;
        q = static_cast<std::int64_t>(num0 / den);
        r = static_cast<std::int64_t>(num0 % den);
    }
    for (std::int64_t i = lo; i < hi; ++i) {
        const std::int64_t m = start + sMajor * i;
        const std::int64_t n = startMinor + sMinor * q;
        if (xMajor) {
            s.set(m, n, color);
        } else {
            s.set(n, m, color);
        }
        r += 2 * minor;
        if (r >= den) {
            r -= den;
            ++q;
        }
    }
}

P64 lastLinePixel(P64 a, P64 b) {
    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) return a;
    const bool xMajor = adx >= ady;
    const std::int64_t major = xMajor ? adx : ady;
    const std::int64_t minor = xMajor ? ady : adx;
    const std::int64_t i = major - 1;
    const std::int64_t q =
        static_cast<std::int64_t>((Int128{2} * i * minor + major) / (Int128{2} * major));
    if (xMajor) return {a.x + sign(dx) * i, a.y + sign(dy) * q};
    return {a.x + sign(dx) * q, a.y + sign(dy) * i};
}

template <class P>
void drawThickSegment(const SurfaceOf<P>& s, P64 a, P64 b, std::int64_t width,
                      std::type_identity_t<P> color) {
    const std::int64_t o = penOffset(width);
    // Corners of the two pen squares; their convex hull is what the pen sweeps.
    std::array<P64, 8> c{};
    std::size_t k = 0;
    for (const P64 p : {a, b}) {
        const std::int64_t x0 = p.x - o;
        const std::int64_t y0 = p.y - o;
        c[k++] = {x0, y0};
        c[k++] = {x0 + width, y0};
        c[k++] = {x0 + width, y0 + width};
        c[k++] = {x0, y0 + width};
    }
    std::sort(c.begin(), c.end(),
              [](P64 l, P64 r) { return l.x < r.x || (l.x == r.x && l.y < r.y); });
    // Monotone chain.
    std::array<P64, 16> hull{};
    std::size_t h = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        while (h >= 2 && cross(hull[h - 2], hull[h - 1], c[i]) <= 0) --h;
        hull[h++] = c[i];
    }
    const std::size_t lower = h + 1;
    for (std::size_t i = c.size() - 1; i-- > 0;) {
        while (h >= lower && cross(hull[h - 2], hull[h - 1], c[i]) <= 0) --h;
        hull[h++] = c[i];
    }
    fillPolygon(s, std::span<const P64>(hull.data(), h - 1), color);
}

#define QV_SHAPES_FOR(P)                                                          \
    template void fillPolygon<P>(const SurfaceOf<P>&, std::span<const Point>, P); \
    template void fillPolygon<P>(const SurfaceOf<P>&, std::span<const P64>, P);   \
    template void drawThinLine<P>(const SurfaceOf<P>&, P64, P64, P);              \
    template void drawThickSegment<P>(const SurfaceOf<P>&, P64, P64, std::int64_t, P);
QV_SHAPES_FOR(std::uint32_t)
QV_SHAPES_FOR(std::uint8_t)
#undef QV_SHAPES_FOR

}  // namespace qv::canvas
