#include "quorvantix/canvas.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qv {

void Canvas::rectanglePolygon(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    const std::array<Point, 4> corners{Point{x0, y0}, Point{x1, y0}, Point{x1, y1}, Point{x0, y1}};
    polygon(corners);
}

void Canvas::pieces(std::span<const Piece> batch) {
    for (const Piece& p : batch) {
        pen.width = 1;
        pen.color = p.colour;
        if (p.kind == Piece::Kind::Line) {
            line(p.a, p.b);
            continue;
        }
        brush.style = BrushStyle::Solid;
        brush.color = p.colour;
        rectanglePolygon(p.a.x, p.a.y, p.b.x, p.b.y);
    }
}

void Canvas::moduleGrid(const ModuleGrid& grid) {
    const Rect clip = clipRect();
    // Corners a and b = a + pitch of one module, in 64 bits; b < a for a negative pitch.
    struct Span {
        std::int64_t a, b;
        bool within(std::int32_t lo, std::int32_t hi) const {
            return std::max(a, b) >= lo && std::min(a, b) < hi;
        }
    };
    auto span = [&](std::int64_t origin, std::int64_t index) {
        const std::int64_t a = origin + index * grid.pitch;
        return Span{a, a + grid.pitch};
    };
    // Clamped one pixel beyond the clip, which changes no visible pixel.
    auto edge = [](std::int64_t v, std::int32_t lo, std::int32_t hi) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::int64_t{lo} - 1, hi));
    };
    const auto columns = static_cast<std::size_t>(std::max(grid.columns, 0));
    const std::size_t count =
        std::min(columns * static_cast<std::size_t>(std::max(grid.rows, 0)), grid.modules.size());
    pen.width = 1;
    brush.style = BrushStyle::Solid;
    for (std::size_t i = 0; i < count; ++i) {
        const Span y = span(grid.top, static_cast<std::int64_t>(i / columns));
        const Span x = span(grid.left, static_cast<std::int64_t>(i % columns));
        if (!y.within(clip.top, clip.bottom) || !x.within(clip.left, clip.right)) continue;
        const TColor colour = grid.modules[i] != 0 ? grid.dark : grid.light;
        pen.color = colour;
        brush.color = colour;
        rectanglePolygon(edge(x.a, clip.left, clip.right), edge(y.a, clip.top, clip.bottom),
                         edge(x.b, clip.left, clip.right), edge(y.b, clip.top, clip.bottom));
    }
}

void Canvas::barRows(const BarRows& bars) {
    const Rect clip = clipRect();
    if (clip.right <= clip.left || clip.bottom <= clip.top) return;
    auto clamped = [](std::int64_t v, std::int32_t lo, std::int32_t hi) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::int64_t{lo} - 1, hi));
    };
    std::vector<Piece> batch;
    for (std::size_t r = 0; r < bars.rows.size(); ++r) {
        const std::int64_t y = bars.top + static_cast<std::int64_t>(r) * bars.rowHeight;
        const std::int64_t y1 = y + bars.rowHeight;
        if (std::max(y, y1) < clip.top || std::min(y, y1) >= clip.bottom) continue;
        const std::int32_t top = clamped(y, clip.top, clip.bottom);
        const std::int32_t bottom = clamped(y1, clip.top, clip.bottom);
        const std::string& runs = bars.rows[r];
        std::int64_t x = bars.left;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (runs[i] < '1' || runs[i] > '8') continue;
            const std::int64_t width = std::int64_t{runs[i] - '0'} * bars.moduleWidth;
            const std::int64_t x1 = x + width - 1;
            if (i % 2 == 0 && std::max(x, x1) >= clip.left && std::min(x, x1) < clip.right) {
                batch.push_back({Piece::Kind::Rectangle,
                                 Point{clamped(x, clip.left, clip.right), top},
                                 Point{clamped(x1, clip.left, clip.right), bottom}, bars.colour});
            }
            x += width;
        }
    }
    pieces(batch);
}

void Canvas::stamps(const Stamps& shape) {
    const Rect clip = clipRect();
    const auto height = static_cast<std::int64_t>(shape.rows.size());
    for (const Place& at : shape.places) {
        if (at.x >= clip.right || at.y >= clip.bottom || at.x + shape.width <= clip.left ||
            at.y + height <= clip.top)
            continue;
        const std::int64_t firstRow = std::max<std::int64_t>(0, clip.top - at.y);
        const std::int64_t endRow = std::min<std::int64_t>(height, clip.bottom - at.y);
        for (std::int64_t r = firstRow; r < endRow; ++r) {
            const ShapeRow& row = shape.rows[static_cast<std::size_t>(r)];
            const std::int64_t from = std::max<std::int64_t>(at.x + row.from, clip.left);
            const std::int64_t to = std::min<std::int64_t>(at.x + row.to, clip.right);
            if (from >= to) continue;
            // Inside the clip rectangle, so within 32 bits.
            const auto y = static_cast<std::int32_t>(at.y + r);
            pen.width = 1;
            pen.color = shape.colour;
            line(Point{static_cast<std::int32_t>(from), y},
                 Point{static_cast<std::int32_t>(to), y});
        }
    }
}

}  // namespace qv
