#include "barcode1d/run_row.h"

#include <algorithm>

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
