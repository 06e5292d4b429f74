// The raster canvas's batches: a symbol's bars, runs, module grid or stamped shapes in one call,
// each pixel row painted once where it can be and copied where rows are alike.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "canvas/batch_writer.h"
#include "canvas/raster_canvas.h"

namespace qv::canvas {
namespace {

// Whole modules of one grid row, `pitch` pixels each: the usual small pitches unrolled, as a
// loop of unknown length per module costs more than the stores.
template <class P, int Pitch>
void fillModulesOf(P* q, const std::uint8_t* cells, std::int64_t count, P dark, P light) {
    for (std::int64_t i = 0; i < count; ++i, q += Pitch) {
        const P c = cells[i] != 0 ? dark : light;
        for (int k = 0; k < Pitch; ++k) q[k] = c;
    }
}

template <class P>
using ModuleFill = void (*)(P*, const std::uint8_t*, std::int64_t, P, P);
template <class P, int... Pitch>
constexpr std::array<ModuleFill<P>, sizeof...(Pitch) + 1> moduleFills(
    std::integer_sequence<int, Pitch...>) {
    return {nullptr, &fillModulesOf<P, Pitch + 1>...};
}
template <class P>
constexpr auto kModuleFills = moduleFills<P>(std::make_integer_sequence<int, 8>{});

template <class P>
void fillModules(P* q, const std::uint8_t* cells, std::int64_t count, std::int64_t pitch, P dark,
                 P light) {
    if (pitch < static_cast<std::int64_t>(kModuleFills<P>.size())) {
        kModuleFills<P>[static_cast<std::size_t>(pitch)](q, cells, count, dark, light);
        return;
    }
    for (std::int64_t i = 0; i < count; ++i, q += pitch) {
        fillShort(q, q + pitch, cells[i] != 0 ? dark : light);
    }
}
}  // namespace

template <class P>
bool RasterCanvasT<P>::beginBatch(std::vector<FillRect>& under) {
    // A fresh bitmap with few fills held is written as the batch reaches its rows.
    const bool fresh = holding_ && held_.size() <= kShortHeld;
    if (fresh) {
        holding_ = false;
        under.swap(held_);
    }
    return fresh;
}

template <class P>
void RasterCanvasT<P>::pieces(std::span<const Piece> batch) {
    if (batch.empty()) return;
    const Piece* lastRectangle = nullptr;
    // On a fresh bitmap the fills join those held back, to be written band by band, each band's
    // rows once, however many shapes cover them; unless they all cover the same rows (the bars
    // of a linear symbol), which a batch writes more cheaply still.
    std::size_t held = 0;
    std::int64_t top = 0, bottom = 0;
    if (holding_ && sameRows(batch, top, bottom)) {
        drawBars(batch, top, bottom, lastRectangle);
        held = batch.size();
    }
    const bool holdAll = holding_ && held == 0;
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

template <class P>
bool RasterCanvasT<P>::sameRows(std::span<const Piece> batch, std::int64_t& top,
                                std::int64_t& bottom) const {
    const std::int64_t h = bitmap_.height();
    top = -1, bottom = -1;
    const Piece& first = batch.front();
    for (const Piece& p : batch) {
        // Bars of a symbol share their corners' rows: nothing to work out.
        if (p.kind == Piece::Kind::Rectangle && first.kind == Piece::Kind::Rectangle &&
            p.a.y == first.a.y && p.b.y == first.b.y && top >= 0)
            continue;
        FillPart part{};
        if (!asFill(p, part)) return false;
        const std::int64_t t = std::clamp<std::int64_t>(part.top, 0, h);
        const std::int64_t b = std::clamp<std::int64_t>(part.bottom, 0, h);
        if (top < 0) top = t, bottom = b;
        if (t != top || b != bottom) return false;
    }
    return true;
}

template <class P>
void RasterCanvasT<P>::drawBars(std::span<const Piece> batch, std::int64_t top, std::int64_t bottom,
                                const Piece*& lastRectangle) {
    std::vector<FillRect> under;
    const bool fresh = beginBatch(under);
    const SurfaceOf<P> s = surface();
    BatchWriter<P> writer(s, fresh ? 0 : s.height, base_, under);
    // One row is drawn fill by fill, as the writer draws short fills.
    const bool group = bottom - top > 1;
    if (group) writer.startGroup(top, bottom);
    for (const Piece& p : batch) {
        if (p.kind == Piece::Kind::Rectangle) lastRectangle = &p;
        if (top >= bottom) continue;
        FillPart part{};
        asFill(p, part);
        const std::int64_t l = std::max<std::int64_t>(part.left, 0);
        const std::int64_t r = std::min(part.right, s.width);
        if (l >= r) continue;
        if (group) {
            writer.addToGroup(l, r, pixel(part.color));
        } else {
            writer.fill(l, top, r, bottom, pixel(part.color));
        }
    }
    writer.finish();
    keepHeld(under);
}

template <class P>
void RasterCanvasT<P>::drawPieces(std::span<const Piece> batch, const Piece*& lastRectangle) {
    std::vector<FillRect> under;
    const bool fresh = beginBatch(under);
    const SurfaceOf<P> s = surface();
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
            P* const row = s.pixels + p.a.y * s.width;
            fillShort(row + l, row + r, pixel(p.colour));
        }
        rest = batch.subspan(i);
    }
    BatchWriter<P> writer(s, fresh ? 0 : s.height, base_, under);
    for (const Piece& p : rest) {
        if (p.kind == Piece::Kind::Rectangle) lastRectangle = &p;
        FillPart part{};
        if (!asFill(p, part)) {
            drawThinLine(writer.surface(), wide(p.a), wide(p.b), pixel(p.colour));
            continue;
        }
        const std::int64_t l = std::max<std::int64_t>(part.left, 0);
        const std::int64_t t = std::max<std::int64_t>(part.top, 0);
        const std::int64_t r = std::min(part.right, s.width);
        const std::int64_t b = std::min(part.bottom, s.height);
        if (l < r && t < b) writer.fill(l, t, r, b, pixel(part.color));
    }
    writer.finish();
    keepHeld(under);
}

namespace {

// Rows of bars wholly within the bitmap across, each laid out as a scanline and laid over its
// rows. Spaces take the colour under the row when it is one colour there, so the writer copies
// the scanline onto fresh rows rather than laying it over them.
template <class P>
class RowScanner {
  public:
    RowScanner(const BarRows& bars, P colour) : bars_(bars), colour_(colour) {}

    // False, with nothing drawn, when the row does not lie wholly within the bitmap across.
    bool scan(BatchWriter<P>& writer, const std::string& runs, std::int64_t top,
              std::int64_t bottom, bool& drawn) {
        const std::int64_t m = bars_.moduleWidth;
        const std::int64_t room = writer.width() - bars_.left;
        if (bars_.left < 0 || m > kStore || room <= 0) return false;
        const P gap = writer.gapColour(bottom - 1, bars_.left, bars_.left + room, colour_);
        P* const line = writer.line(static_cast<std::size_t>(room + kStore * m));
        std::int64_t width = 0;
        bool bar = false;
        using Layout = bool (RowScanner::*)(P*, const std::string&, std::int64_t, P, const P*,
                                            std::int64_t&, bool&) const;
        // Narrow modules by pairs, unrolled per width; wider ones run by run.
        static constexpr std::array<Layout, 5> kLayouts{
            &RowScanner<P>::storeRuns, &RowScanner<P>::pairs<1>, &RowScanner<P>::pairs<2>,
            &RowScanner<P>::pairs<3>, &RowScanner<P>::pairs<4>};
        const Layout layout = m < std::ssize(kLayouts) ? kLayouts[static_cast<std::size_t>(m)]
                                                       : &RowScanner<P>::storeRuns;
        const P* const table = m < std::ssize(kLayouts) ? pairTable(gap) : nullptr;
        const bool fits = (this->*layout)(line, runs, room, gap, table, width, bar);
        if (!fits) return false;
        writer.scanGroup(top, bottom, line, bars_.left, bars_.left + width, colour_, gap);
        drawn = drawn || bar;
        return true;
    }

  private:
    static constexpr std::int64_t kStore = 16;

    // The pixels of every bar of 1 to 8 modules and the space after it, also 1 to 8, each in a
    // fixed sixteen modules' room; kept per thread for the last colours and module width.
    struct PairTable {
        P colour = 0, gap = 0;
        std::int64_t module = 0;
        std::array<P, 64 * 16 * 4> pixels{};
    };
    const P* pairTable(P gap) const {
        thread_local PairTable table;
        const std::int64_t m = bars_.moduleWidth;
        if (table.module != m || table.colour != colour_ || table.gap != gap) {
            const auto room = static_cast<std::size_t>(16 * m);
            for (std::size_t pair = 0; pair < 64; ++pair) {
                P* const out = table.pixels.data() + pair * room;
                const std::size_t bar = (pair / 8 + 1) * static_cast<std::size_t>(m);
                std::fill_n(out, bar, colour_);
                std::fill_n(out + bar, room - bar, gap);
            }
            table.module = m;
            table.colour = colour_;
            table.gap = gap;
        }
        return table.pixels.data();
    }
    // A bar and the space after it (runs at even and odd places) are copied together from the
    // table, the next pair writing over the excess; characters other than '1' to '8' are
    // skipped, keeping their place.
    template <int M>
    bool pairs(P* line, const std::string& runs, std::int64_t room, P gap, const P* table,
               std::int64_t& width, bool& bar) const {
        const char* const digits = runs.data();
        const std::size_t n = runs.size();
        P* p = line;
        const P* const end = line + room;
        std::size_t i = 0;
        bool anyBar = false;
        while (i < n) {
            // A bar at an even place and the space after it, both digits '1' to '8'.
            while (i + 1 < n) {
                const unsigned a = static_cast<unsigned char>(digits[i]) - unsigned{'1'};
                const unsigned b = static_cast<unsigned char>(digits[i + 1]) - unsigned{'1'};
                if ((a | b) >= 8) break;
                // Most pairs are eight modules or fewer: the second half only when needed.
                const P* const from = table + (a * 8 + b) * 16 * M;
                std::memcpy(p, from, 8 * M * sizeof(P));
                if (a + b + 2 > 8) std::memcpy(p + 8 * M, from + 8 * M, 8 * M * sizeof(P));
                p += (a + b + 2) * M;
                anyBar = true;
                i += 2;
                if (p > end) return false;
            }
            if (i >= n) break;
            // Anything else one run at a time, until a pair can start again.
            do {
                const unsigned a = static_cast<unsigned char>(digits[i]) - unsigned{'1'};
                if (a < 8) {
                    fillShort(p, p + (a + 1) * M, i % 2 == 0 ? colour_ : gap);
                    anyBar = anyBar || i % 2 == 0;
                    p += (a + 1) * M;
                }
                ++i;
            } while (i < n && i % 2 != 0);
            if (p > end) return false;
        }
        bar = anyBar;
        width = p - line;
        return width > 0;
    }
    // Wider modules: each run stores a fixed sixteen pixels, the next run writing over the excess,
    // so a short run costs no loop of its own.
    bool storeRuns(P* line, const std::string& runs, std::int64_t room, P gap, const P*,
                   std::int64_t& width, bool& bar) const {
        std::array<P, 2 * kStore> colours;
        std::fill_n(colours.begin(), kStore, colour_);
        std::fill_n(colours.begin() + kStore, kStore, gap);
        P* p = line;
        const P* const end = line + room;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int c = runs[i] - '0';
            if (c < 1 || c > 8) continue;
            const std::int64_t w = c * bars_.moduleWidth;
            const std::size_t odd = i % 2;
            std::memcpy(p, colours.data() + odd * kStore, kStore * sizeof(P));
            if (w > kStore) fillShort(p + kStore, p + w, odd != 0 ? gap : colour_);
            bar = bar || odd == 0;
            p += w;
            if (p > end) return false;
        }
        width = p - line;
        return width > 0;
    }

    const BarRows& bars_;
    const P colour_;
};

}  // namespace

template <class P>
void RasterCanvasT<P>::barRows(const BarRows& bars) {
    const std::int64_t m = bars.moduleWidth;
    const std::int64_t h = bars.rowHeight;
    if (m < 1 || h < 0) {
        Canvas::barRows(bars);
        return;
    }
    std::vector<FillRect> under;
    const bool fresh = beginBatch(under);
    const SurfaceOf<P> s = surface();
    BatchWriter<P> writer(s, fresh ? 0 : s.height, base_, under);
    const P colour = pixel(bars.colour);
    RowScanner<P> scanner(bars, colour);
    bool drawn = false;
    for (std::size_t r = 0; r < bars.rows.size(); ++r) {
        const std::int64_t y = bars.top + static_cast<std::int64_t>(r) * h;
        const std::int64_t top = std::max<std::int64_t>(y, 0);
        const std::int64_t bottom = std::min(y + h + 1, s.height);
        if (top >= bottom) continue;
        const std::string& runs = bars.rows[r];
        if (scanner.scan(writer, runs, top, bottom, drawn)) continue;
        writer.startGroup(top, bottom);
        std::int64_t x = bars.left;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const char c = runs[i];
            if (c < '1' || c > '8') continue;
            const std::int64_t width = (c - '0') * m;
            const std::int64_t l = std::max<std::int64_t>(x, 0);
            const std::int64_t right = std::min(x + width, s.width);
            if (i % 2 == 0 && l < right) {
                writer.addToGroup(l, right, colour);
                drawn = true;
            }
            x += width;
        }
    }
    writer.finish();
    keepHeld(under);
    if (!drawn) return;
    pen.width = 1;
    pen.color = bars.colour;
    brush.style = BrushStyle::Solid;
    brush.color = bars.colour;
}

namespace {

// One row of a shape at every place given (offsets of the row's first pixel, less `offset`):
// the same number of stores at each, unrolled for the usual widths.
template <class P, std::size_t W>
void stampRow(P* pixels, std::span<const std::int64_t> places, std::int64_t offset, P colour) {
#pragma GCC unroll 4
    for (const std::int64_t at : places) {
        P* const p = pixels + at + offset;
        for (std::size_t k = 0; k < W; ++k) p[k] = colour;
    }
}

template <class P>
using StampRow = void (*)(P*, std::span<const std::int64_t>, std::int64_t, P);
template <class P, std::size_t... W>
constexpr std::array<StampRow<P>, sizeof...(W)> stampRows(std::index_sequence<W...>) {
    return {&stampRow<P, W>...};
}
template <class P>
constexpr auto kStampRows = stampRows<P>(std::make_index_sequence<17>{});

// Kept per thread; looked up once per batch, as each use of a thread's variable in a template
// would look it up again.
std::vector<std::int64_t>& stampPlaces() {
    thread_local std::vector<std::int64_t> places;
    return places;
}

}  // namespace

template <class P>
void RasterCanvasT<P>::stamps(const Stamps& shape) {
    const SurfaceOf<P> s = surface();
    const P colour = pixel(shape.colour);
    const auto height = static_cast<std::int64_t>(shape.rows.size());
    const bool rowsWithin = std::all_of(shape.rows.begin(), shape.rows.end(), [&](ShapeRow row) {
        return row.from >= row.to || (row.from >= 0 && row.to <= shape.width);
    });
    // Places wholly inside the bitmap, as the offsets of their corners: the shape is stamped at
    // them row by row. Its one colour makes the order of the writes immaterial.
    // Written through a plain pointer: stores into the thread's vector would make every place
    // read its bounds again.
    std::vector<std::int64_t>& kept = stampPlaces();
    if (kept.size() < shape.places.size()) kept.resize(shape.places.size());
    std::int64_t* const inside = kept.data();
    std::size_t count = 0;
    // The corners whose box lies wholly inside: 0 .. lastX across, 0 .. lastY down.
    const std::int64_t lastX = rowsWithin ? s.width - std::max(shape.width, 0) : -1;
    const std::int64_t lastY = s.height - height;
    bool drawn = false;
    // Both bounds at once: a negative coordinate compares as a huge unsigned one.
    const bool fits = lastX >= 0 && lastY >= 0;
    const auto ux = static_cast<std::uint64_t>(std::max<std::int64_t>(lastX, 0));
    const auto uy = static_cast<std::uint64_t>(std::max<std::int64_t>(lastY, 0));
    for (const Place& at : shape.places) {
        if (fits && static_cast<std::uint64_t>(at.x) <= ux &&
            static_cast<std::uint64_t>(at.y) <= uy) {
            inside[count++] = at.y * s.width + at.x;
            continue;
        }
        if (at.x >= s.width || at.y >= s.height || at.x + shape.width <= 0 || at.y + height <= 0)
            continue;
        const std::int64_t firstRow = std::max<std::int64_t>(0, -at.y);
        const std::int64_t endRow = std::min<std::int64_t>(height, s.height - at.y);
        P* line = s.pixels + (at.y + firstRow) * s.width;
        for (std::int64_t r = firstRow; r < endRow; ++r, line += s.width) {
            const ShapeRow& row = shape.rows[static_cast<std::size_t>(r)];
            const std::int64_t from = std::max<std::int64_t>(at.x + row.from, 0);
            const std::int64_t to = std::min<std::int64_t>(at.x + row.to, s.width);
            if (from >= to) continue;
            fillShort(line + from, line + to, colour);
            drawn = true;
        }
    }
    const std::span<const std::int64_t> within(inside, count);
    if (count != 0) {
        for (std::int64_t r = 0; r < height; ++r) {
            const ShapeRow& row = shape.rows[static_cast<std::size_t>(r)];
            if (row.from >= row.to) continue;
            const auto width = static_cast<std::size_t>(row.to - row.from);
            const std::int64_t offset = r * s.width + row.from;
            drawn = true;
            if (width < kStampRows<P>.size()) {
                kStampRows<P>[width](s.pixels, within, offset, colour);
                continue;
            }
            for (const std::int64_t at : within) {
                fillShort(s.pixels + at + offset, s.pixels + at + offset + width, colour);
            }
        }
    }
    if (!drawn) return;
    pen.width = 1;
    pen.color = shape.colour;
}

template <class P>
void RasterCanvasT<P>::moduleGrid(const ModuleGrid& grid) {
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
    const P darkPixel = pixel(grid.dark);
    const P lightPixel = pixel(grid.light);
    const auto build = [&](P* line, std::int64_t r) {
        const std::uint8_t* const cells = grid.modules.data() + r * columns;
        const auto colour = [&](std::int64_t c) { return cells[c] != 0 ? darkPixel : lightPixel; };
        // The first and last columns may be cut by the clip; those between are whole.
        const auto edgeColumn = [&](std::int64_t c) {
            const std::int64_t from = std::max(x0 + c * p, xs);
            const std::int64_t to = c == columns - 1 ? xe : std::min(x0 + (c + 1) * p - 1, xe);
            fillShort(line + from, line + to + 1, colour(c));
        };
        edgeColumn(firstColumn);
        if (lastColumn == firstColumn) return;
        fillModules(line + (x0 + (firstColumn + 1) * p), cells + firstColumn + 1,
                    lastColumn - firstColumn - 1, p, darkPixel, lightPixel);
        edgeColumn(lastColumn);
    };
    // On a fresh bitmap every row is written once: as it was before, with the grid over it, or
    // copied whole from the row above when both it and the grid row are alike.
    std::vector<FillRect> under;
    const bool fresh = beginBatch(under);
    const SurfaceOf<P> s = surface();
    BatchWriter<P> writer(s, fresh ? 0 : s.height, base_, under);
    writer.reach(ys);
    const auto gridBytes = static_cast<std::size_t>(xe - xs + 1) * sizeof(P);
    std::int64_t builtRow = -1;
    // Whole rows copied from the one above, a run at a time: from `source` on, up to y.
    std::int64_t source = -1;
    for (std::int64_t y = ys; y <= ye; ++y) {
        P* const line = s.pixels + y * w;
        const std::int64_t r = index(y, y0, rows);
        if (fresh) {
            if (r == builtRow && writer.alikeAbove(y)) {
                if (source < 0) source = y - 1;
                writer.written(y + 1);
                continue;
            }
            if (source >= 0) s.repeatRow(source, y);
            source = -1;
            // The grid's columns are written next, whole: only the rest of the row is restored.
            writer.reachAround(y, xs, xe + 1);
        }
        if (r == builtRow) {
            std::memcpy(line + xs, line - w + xs, gridBytes);
        } else {
            build(line, r);
            builtRow = r;
        }
    }
    if (source >= 0) s.repeatRow(source, ye + 1);
    writer.finish();
    keepHeld(under);
}

// The batch members of both canvases; the rest are instantiated with the class.
#define QV_BATCHES_FOR(P)                                                                          \
    template bool RasterCanvasT<P>::beginBatch(std::vector<FillRect>&);                            \
    template void RasterCanvasT<P>::pieces(std::span<const Piece>);                                \
    template bool RasterCanvasT<P>::sameRows(std::span<const Piece>, std::int64_t&, std::int64_t&) \
        const;                                                                                     \
    template void RasterCanvasT<P>::drawBars(std::span<const Piece>, std::int64_t, std::int64_t,   \
                                             const Piece*&);                                       \
    template void RasterCanvasT<P>::drawPieces(std::span<const Piece>, const Piece*&);             \
    template void RasterCanvasT<P>::barRows(const BarRows&);                                       \
    template void RasterCanvasT<P>::stamps(const Stamps&);                                         \
    template void RasterCanvasT<P>::moduleGrid(const ModuleGrid&);
QV_BATCHES_FOR(std::uint32_t)
QV_BATCHES_FOR(std::uint8_t)
#undef QV_BATCHES_FOR

}  // namespace qv::canvas
