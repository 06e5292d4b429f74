// Writing a batch of fills onto raster pixels: short fills, pieces as fills, and the writer that
// paints groups of fills over the same rows once per row and copies the rows that are alike.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "canvas/raster_canvas.h"
#include "canvas/rectangle_parts.h"

namespace qv::canvas {

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
        // A single row, or two where they would have to be compared: painting beats copying.
        if (end - top_ <= (known_ ? 1 : 2)) {
            for (std::int64_t y = top_; y < end; ++y) paint(row(y));
            return;
        }
        std::int32_t from = group_.front().left, to = group_.front().right;
        for (const Run& f : group_) {
            from = std::min(from, f.left);
            to = std::max(to, f.right);
        }
        const auto bytes = static_cast<std::size_t>(to - from) * sizeof(std::uint32_t);
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

}  // namespace qv::canvas
