// Writing a batch of fills onto raster pixels: short fills, pieces as fills, and the writer that
// paints groups of fills over the same rows once per row and copies the rows that are alike.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "canvas/raster_canvas.h"
#include "canvas/rectangle_parts.h"

namespace qv::canvas {

// Paints `colour` over dst wherever src has it: a row given as a scanline laid over pixels, 16
// bytes at a time, as a select per pixel costs less than a branch per bar.
template <class P>
struct Lanes;
template <>
struct Lanes<std::uint32_t> {
    using type = std::uint32_t __attribute__((vector_size(16)));
};
template <>
struct Lanes<std::uint8_t> {
    using type = std::uint8_t __attribute__((vector_size(16)));
};

template <class P>
inline void overlay(P* dst, const P* src, std::int64_t n, P colour) {
    using Four = typename Lanes<P>::type;
    constexpr std::int64_t kLanes = 16 / sizeof(P);
    // Broadcast in one go: lane by lane the compiler goes through memory, once per lane.
    const Four c = Four{} + colour;
    for (; n >= kLanes; n -= kLanes, dst += kLanes, src += kLanes) {
        Four s, d;
        std::memcpy(&s, src, sizeof s);
        std::memcpy(&d, dst, sizeof d);
        const auto same = s == c;  // all ones where equal
        Four mask;
        std::memcpy(&mask, &same, sizeof mask);
        d = (d & ~mask) | (c & mask);
        std::memcpy(dst, &d, sizeof d);
    }
    for (; n > 0; --n, ++dst, ++src) {
        if (*src == colour) *dst = colour;
    }
}

// A batch piece as the fill it makes, when it makes one: rectangles, and lines along a row or a
// column (the pixels from a up to, not including, b).
inline bool asFill(const Piece& p, FillPart& part) {
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
template <class P>
struct Run {
    std::int32_t left, right;
    P colour;
};

// Writes the fills of a batch, clipped already. Rows from `pristine` down are not written yet:
// they are the base colour under the fills held back (`under`), and are written only when the
// batch reaches them. Consecutive fills over the same rows (the bars of a symbol row) form a
// group: rows of it that were alike before come out alike, so they are painted once and copied.
template <class P>
class BatchWriter {
  public:
    using FillRect = FillRectOf<P>;
    using Surface = SurfaceOf<P>;

    BatchWriter(const Surface& s, std::int64_t pristine, P base, std::span<const FillRect> under)
        : s_(s),
          pristine_(pristine),
          base_(base),
          under_(under),
          kept_(scratch()),
          group_(kept_.group),
          before_(kept_.before),
          line_(kept_.line),
          same_(kept_.same),
          known_(pristine == 0 && s.height <= RasterCanvasT<P>::kMaxKnownRows) {
        group_.clear();
        if (known_) same_.assign(static_cast<std::size_t>(s.height) + 1, 0);
        findBreaks();
    }
    const Surface& surface() {
        flush();
        reach(s_.height);
        known_ = false;  // drawn on by others from here
        return s_;
    }
    void fill(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, P colour) {
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
    void addToGroup(std::int64_t l, std::int64_t r, P colour) {
        group_.push_back({static_cast<std::int32_t>(l), static_cast<std::int32_t>(r), colour});
    }
    std::int64_t width() const { return s_.width; }
    // Room for a scanline of n pixels, kept per thread.
    P* line(std::size_t n) {
        if (line_.size() < n) line_.resize(n);
        return line_.data();
    }
    // The colour for the spaces of a scanline over columns [from, to) of a group ending with row
    // y: the colour under them before the batch (the last row's: the first may be an edge),
    // unless it is the bars' colour.
    P gapColour(std::int64_t y, std::int64_t from, std::int64_t to, P bars) const {
        const P before = under(y, from, to).colour;
        return before != bars ? before : static_cast<P>(~bars);
    }
    // A group over rows t .. b - 1 whose fills are the pixels of `scan` equal to `colour`, scan[0]
    // lying on column `from` and the last on column to - 1; its other pixels are `gap`. Written at
    // once: the scan is the caller's.
    void scanGroup(std::int64_t t, std::int64_t b, const P* scan, std::int64_t from,
                   std::int64_t to, P colour, P gap) {
        flush();
        top_ = t;
        bottom_ = b;
        scan_ = {scan, static_cast<std::int32_t>(from), static_cast<std::int32_t>(to), colour, gap};
        flush();
    }
    // Writes the rows up to `end` not written yet, as they were before the batch.
    void reach(std::int64_t end) {
        // Rows alike with the one above are copied after it, a run at a time.
        for (std::int64_t y = pristine_; y < end;) {
            restore(y);
            mark(y, false);
            const std::int64_t next = std::min(nextBreak(y), end);
            markAlike(y + 1, next);
            s_.repeatRow(y, next);
            y = next;
        }
        pristine_ = std::max(pristine_, end);
    }
    // Writes the rows above y not written yet, and row y outside columns [from, to), as they were
    // before the batch: the caller writes those columns.
    void reachAround(std::int64_t y, std::int64_t from, std::int64_t to) {
        reach(y);
        if (y < pristine_) return;
        restoreAround(y, static_cast<std::int32_t>(from), static_cast<std::int32_t>(to));
        mark(y, false);
        pristine_ = y + 1;
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
    // The first row below y that was not like the one above it before the batch; past the
    // bitmap when there is none.
    std::int64_t nextBreak(std::int64_t y) const {
        if (breakCount_ == kNoBreaks) {
            std::int64_t k = y + 1;
            while (k < s_.height && alikeAbove(k)) ++k;
            return k;
        }
        std::int64_t next = s_.height;
        for (std::size_t i = 0; i < breakCount_; ++i) {
            if (breaks_[i] > y) next = std::min(next, std::int64_t{breaks_[i]});
        }
        return next;
    }

  private:
    P* row(std::int64_t y) const { return s_.pixels + y * s_.width; }
    // Whether row y is known to be like row y - 1; false is always safe.
    void mark(std::int64_t y, bool same) {
        if (known_ && y <= s_.height) same_[static_cast<std::size_t>(y)] = same;
    }
    // Rows from .. end - 1, within the bitmap, are like the ones above them.
    void markAlike(std::int64_t from, std::int64_t end) {
        if (!known_ || from >= end) return;
        std::fill(same_.begin() + from, same_.begin() + end, std::uint8_t{1});
    }
    // The edges of the held fills: a fresh batch holds few, so a row's next edge is found by
    // looking at all of them rather than by testing every row below it.
    void findBreaks() {
        if (under_.size() * 2 > breaks_.size()) {
            breakCount_ = kNoBreaks;
            return;
        }
        for (const FillRect& f : under_) {
            breaks_[breakCount_++] = f.top;
            breaks_[breakCount_++] = f.bottom;
        }
    }
    void paint(P* r) const {
        if (scan_.pixels != nullptr) {
            overlay(r + scan_.from, scan_.pixels, scan_.to - scan_.from, scan_.colour);
            return;
        }
        for (const Run<P>& f : group_) fillShort(r + f.left, r + f.right, f.colour);
    }
    // The columns [from, to) the group paints within.
    std::pair<std::int32_t, std::int32_t> span() const {
        if (scan_.pixels != nullptr) return {scan_.from, scan_.to};
        std::int32_t from = group_.front().left, to = group_.front().right;
        for (const Run<P>& f : group_) {
            from = std::min(from, f.left);
            to = std::max(to, f.right);
        }
        return {from, to};
    }
    // Columns [from, to) of row y before the batch: the colour of the last fill (or the base)
    // that covered them all, and the first of the held fills drawn over part of them after it.
    struct Under {
        P colour;
        std::size_t partFrom;
    };
    Under under(std::int64_t y, std::int64_t from, std::int64_t to) const {
        Under u{base_, 0};
        for (std::size_t i = 0; i < under_.size(); ++i) {
            const FillRect& f = under_[i];
            if (f.top <= y && y < f.bottom && f.left <= from && to <= f.right) u = {f.color, i + 1};
        }
        return u;
    }
    // A fresh row with a scanline group over it: as it was before, with the scanline copied over
    // where its spaces are the colour that was there, and laid over elsewhere.
    void paintFresh(std::int64_t y) {
        P* const r = row(y);
        const Under u = under(y, scan_.from, scan_.to);
        if (u.colour != scan_.gap) {
            restore(y);
            paint(r);
            return;
        }
        restoreAround(y, scan_.from, scan_.to);
        std::memcpy(r + scan_.from, scan_.pixels,
                    static_cast<std::size_t>(scan_.to - scan_.from) * sizeof(P));
        // Where later fills covered part of the span, they come back and the bars over them.
        const auto parts = std::span(under_).subspan(u.partFrom);
        const auto part = [&](const FillRect& f, auto&& draw) {
            if (f.top > y || y >= f.bottom) return;
            const std::int32_t l = std::max(f.left, scan_.from), rr = std::min(f.right, scan_.to);
            if (l < rr) draw(l, rr, f.color);
        };
        for (const FillRect& f : parts)
            part(f, [&](std::int32_t l, std::int32_t rr, P c) { std::fill(r + l, r + rr, c); });
        for (const FillRect& f : parts) {
            part(f, [&](std::int32_t l, std::int32_t rr, P) {
                overlay(r + l, scan_.pixels + (l - scan_.from), rr - l, scan_.colour);
            });
        }
    }
    // Row y as it was before the batch outside columns [from, to).
    void restoreAround(std::int64_t y, std::int32_t from, std::int32_t to) const {
        P* const r = row(y);
        const auto width = static_cast<std::int32_t>(s_.width);
        std::fill(r, r + from, base_);
        std::fill(r + to, r + width, base_);
        for (const FillRect& f : under_) {
            if (f.top > y || y >= f.bottom) continue;
            if (f.left < from) std::fill(r + f.left, r + std::min(f.right, from), f.color);
            if (f.right > to) std::fill(r + std::max(f.left, to), r + f.right, f.color);
        }
    }
    // Row y as it was before the batch: the base colour and the held fills over it.
    void restore(std::int64_t y) const {
        P* const r = row(y);
        std::fill(r, r + s_.width, base_);
        for (const FillRect& f : under_) {
            if (f.top <= y && y < f.bottom) std::fill(r + f.left, r + f.right, f.color);
        }
    }
    void flush() {
        if (group_.empty() && scan_.pixels == nullptr) return;
        reach(top_);
        paintWritten();
        // Rows not written yet: the first of each run of alike rows is painted, the rest copied
        // after it, a run at a time.
        for (std::int64_t y = std::max(top_, pristine_); y < bottom_;) {
            if (scan_.pixels != nullptr) {
                paintFresh(y);
            } else {
                restore(y);
                paint(row(y));
            }
            mark(y, false);
            const std::int64_t next = std::min(nextBreak(y), bottom_);
            markAlike(y + 1, next);
            s_.repeatRow(y, next);
            y = next;
        }
        pristine_ = std::max(pristine_, bottom_);
        mark(bottom_, false);  // the row below was not painted
        group_.clear();
        scan_ = {};
    }
    // Rows written before: a row that was like the last one painted comes out like it.
    void paintWritten() {
        const std::int64_t end = std::min(bottom_, pristine_);
        mark(top_, false);  // the row above is not painted
        // A single row, or two where they would have to be compared: painting beats copying.
        if (end - top_ <= (known_ ? 1 : 2)) {
            for (std::int64_t y = top_; y < end; ++y) paint(row(y));
            return;
        }
        const auto [from, to] = span();
        const auto bytes = static_cast<std::size_t>(to - from) * sizeof(P);
        if (known_) {
            // Rows known to be alike stay alike: painted once, then copied.
            for (std::int64_t y = top_; y < end; ++y) {
                if (y > top_ && same_[static_cast<std::size_t>(y)] != 0) {
                    std::memcpy(row(y) + from, row(y - 1) + from, bytes);
                } else {
                    paint(row(y));
                }
            }
            return;
        }
        const bool copies = to - from <= RasterCanvasT<P>::kMaxCopiedRow;
        const P* painted = nullptr;
        for (std::int64_t y = top_; y < end; ++y) {
            P* const r = row(y);
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
    P base_;
    std::span<const FillRect> under_;
    std::int64_t top_ = 0;
    std::int64_t bottom_ = 0;
    struct Scan {
        const P* pixels = nullptr;
        std::int32_t from = 0, to = 0;
        P colour = 0;
        P gap = 0;
    } scan_;
    // Scratch kept per thread: the group's fills, a row as it was before them and a scanline.
    // Looked up once per batch, as every use of a thread's variable would check that it exists.
    struct Scratch {
        std::vector<Run<P>> group;
        std::vector<P> before;
        std::vector<std::uint8_t> same;
        std::vector<P> line;
    };
    static Scratch& scratch() {
        thread_local Scratch kept;
        return kept;
    }
    static constexpr std::size_t kNoBreaks = ~std::size_t{0};
    std::array<std::int32_t, 16> breaks_{};
    std::size_t breakCount_ = 0;
    Scratch& kept_;
    std::vector<Run<P>>& group_;
    std::vector<P>& before_;
    std::vector<P>& line_;
    // On a fresh bitmap the writer knows which rows are alike, so it never compares them.
    std::vector<std::uint8_t>& same_;
    bool known_;
};

}  // namespace qv::canvas
