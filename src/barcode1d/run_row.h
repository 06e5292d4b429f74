// The bars of a paint as one row of module runs, the digits a canvas's barRows draws, for as long
// as they can be: over the same rows, inside the clip, left to right, whole modules wide and
// apart. A raster canvas lays such a row out once and copies it down, rather than filling bar
// by bar.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/canvas.h"

namespace qv::barcode1d {

class RunRow {
  public:
    // Modules of `module` pixels; a module wider than the digits' table allows keeps no row.
    explicit RunRow(std::int64_t module);
    ~RunRow();
    RunRow(const RunRow&) = delete;
    RunRow& operator=(const RunRow&) = delete;

    static constexpr std::int64_t kMaxModule = 16;

    bool empty() const { return used_ == 0; }
    // Pixels per module; 0 when the row keeps nothing.
    std::int64_t module() const { return module_; }
    // Adds the bar over columns x .. x + w - 1 and rows y .. y + h, inside the clip (w >= 1,
    // h >= 0); false, with nothing added, when it does not continue the row.
    bool add(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, TColor colour) {
        // Wider bars would take two digits, and so two rectangles where there was one.
        const std::int64_t bar = modulesIn(w);
        if (bar < 1 || bar > kMaxRun) return false;
        if (used_ == 0) {
            left_ = x;
            top_ = y;
            height_ = h;
            colour_ = colour;
        } else {
            if (y != top_ || h != height_ || colour != colour_) return false;
            const std::int64_t space = modulesIn(x - end_);
            if (space < 0) return false;
            if (space > kMaxRun) {
                wideSpace(space);
            } else {
                append(space);
            }
        }
        append(bar);
        end_ = x + w;
        return true;
    }
    // The bars of a whole pattern from x on, as drawPatternAt lays it out: letters 'n' and 'w'
    // are one and `wide` modules, '1' to '4' that many, others are skipped; elements coloured
    // 'b' are bars. False, with nothing added, when the pattern does not continue the row or its
    // last bar ends past `right`; else `end` is where the pattern ends and `anyBar` whether it
    // had a bar.
    bool addPattern(std::int64_t x, std::int64_t y, std::int64_t h, TColor colour,
                    std::string_view colours, std::string_view widths, std::int64_t wide,
                    std::int64_t right, std::int64_t& end, bool& anyBar);
    // The row as a batch; it refers to this object.
    BarRows bars();
    // The bars added, in order, as the rectangles they are.
    void appendPieces(std::vector<Piece>& out) const;
    void clear() { used_ = 0; }

  private:
    static constexpr std::int64_t kMaxRun = 8;  // the widest digit
    // Whole modules in `pixels`, or -1 (always, with no module).
    std::int64_t modulesIn(std::int64_t pixels) const {
        if (pixels < 0) return -1;
        if (pixels <= kMaxRun * module_) return modulesOf_[static_cast<std::size_t>(pixels)];
        return module_ > 0 && pixels % module_ == 0 ? pixels / module_ : -1;
    }
    // A space wider than a digit: its parts go on after bars of no width.
    void wideSpace(std::int64_t modules);
    void append(std::int64_t modules) {
        if (used_ == runs_.size()) grow();
        runs_[used_++] = static_cast<char>('0' + modules);
    }
    void grow();

    std::int64_t module_;
    // The digits are the first used_ characters; the string is sized ahead, as appending a
    // character at a time costs a call each.
    std::string runs_;
    std::size_t used_ = 0;
    std::int64_t left_ = 0, end_ = 0, top_ = 0, height_ = 0;
    TColor colour_ = 0;
    // Module counts of widths up to kMaxRun modules, looked up rather than divided.
    std::array<std::int8_t, kMaxRun * kMaxModule + 1> modulesOf_{};
};

}  // namespace qv::barcode1d
