#include "barcode1d/run_row.h"

#include <algorithm>

#include "barcode1d/pattern_sink.h"

namespace qv::barcode1d {

namespace {

// Digit strings kept per thread; a row borrows one for its paint.
std::string& keptRuns() {
    thread_local std::string kept;
    return kept;
}

}  // namespace

RunRow::RunRow(std::int64_t module) : module_(module >= 1 && module <= kMaxModule ? module : 0) {
    runs_.swap(keptRuns());
    modulesOf_.fill(-1);
    if (module_ == 0) return;
    for (std::int64_t k = 0; k <= kMaxRun; ++k) {
        modulesOf_[static_cast<std::size_t>(k * module_)] = static_cast<std::int8_t>(k);
    }
}

RunRow::~RunRow() {
    if (keptRuns().capacity() < runs_.capacity()) runs_.swap(keptRuns());
}

void RunRow::grow() {
    runs_.resize(std::max<std::size_t>(256, runs_.size() * 2));
}

void RunRow::wideSpace(std::int64_t modules) {
    for (; modules > kMaxRun; modules -= kMaxRun) {
        append(kMaxRun);
        append(0);
    }
    append(modules);
}

bool RunRow::addPattern(std::int64_t x, std::int64_t y, std::int64_t h, TColor colour,
                        std::string_view colours, std::string_view widths, std::int64_t wide,
                        std::int64_t right, std::int64_t& end, bool& anyBar) {
    if (module_ == 0 || wide < 1 || wide > kMaxRun || colours.size() != widths.size()) return false;
    const std::size_t mark = used_;
    const std::int64_t endBefore = end_;
    bool started = used_ != 0;
    // Modules of white since the last bar: the gap up to x first.
    std::int64_t space = 0;
    if (started) {
        if (y != top_ || h != height_ || colour != colour_) return false;
        space = modulesIn(x - end_);
        if (space < 0) return false;
    }
    std::int64_t at = x;
    for (std::size_t k = 0; k < widths.size(); ++k) {
        const std::int8_t known = kLetterModules[static_cast<unsigned char>(widths[k])];
        if (known == 0) continue;
        const std::int64_t modules = known == kWideLetter ? wide : known;
        const std::int64_t from = at;
        at += modules * module_;
        if (colours[k] != 'b') {
            space += modules;
            continue;
        }
        if (!started) {
            left_ = from;
            top_ = y;
            height_ = h;
            colour_ = colour;
            started = true;
        } else if (space > kMaxRun) {
            wideSpace(space);
        } else {
            append(space);
        }
        append(modules);
        space = 0;
        end_ = at;
    }
    if (used_ != mark && end_ > right) {
        used_ = mark;
        end_ = endBefore;
        return false;
    }
    end = at;
    anyBar = used_ != mark;
    return true;
}

BarRows RunRow::bars() {
    runs_.resize(used_);
    return {.left = left_,
            .top = top_,
            .moduleWidth = module_,
            .rowHeight = height_,
            .rows = {&runs_, 1},
            .colour = colour_};
}

void RunRow::appendPieces(std::vector<Piece>& out) const {
    std::int64_t x = left_;
    for (std::size_t i = 0; i < used_; ++i) {
        const std::int64_t w = (runs_[i] - '0') * module_;
        if (i % 2 == 0 && w > 0) {
            out.push_back({Piece::Kind::Rectangle,
                           Point{static_cast<std::int32_t>(x), static_cast<std::int32_t>(top_)},
                           Point{static_cast<std::int32_t>(x + w - 1),
                                 static_cast<std::int32_t>(top_ + height_)},
                           colour_});
        }
        x += w;
    }
}

}  // namespace qv::barcode1d
