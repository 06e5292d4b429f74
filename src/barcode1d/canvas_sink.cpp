#include "barcode1d/canvas_sink.h"

#include <algorithm>
#include <array>
#include <vector>

#include "barcode1d/pixel_math.h"

namespace qv::barcode1d {

bool rectangleCorners(const Rect& clip, std::int64_t x, std::int64_t y, std::int64_t w,
                      std::int64_t h, Point& a, Point& b) {
    const std::int64_t x0 = clampCoord(x);
    const std::int64_t y0 = clampCoord(y);
    const std::int64_t x1 = clampCoord(satAdd(x0, clampCoord(w) - 1));
    const std::int64_t y1 = clampCoord(satAdd(y0, clampCoord(h)));
    // The polygon covers its corners inclusive, whichever way round they are.
    if (std::max(x0, x1) < clip.left || std::min(x0, x1) >= clip.right ||
        std::max(y0, y1) < clip.top || std::min(y0, y1) >= clip.bottom)
        return false;
    auto cx = [&](std::int64_t v) {
        return clampToInt32(std::clamp<std::int64_t>(v, std::int64_t{clip.left} - 1, clip.right));
    };
    auto cy = [&](std::int64_t v) {
        return clampToInt32(std::clamp<std::int64_t>(v, std::int64_t{clip.top} - 1, clip.bottom));
    };
    a = {cx(x0), cy(y0)};
    b = {cx(x1), cy(y1)};
    return true;
}

void fillRectangle(Canvas& canvas, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    canvas.pen.width = 1;
    canvas.brush.style = BrushStyle::Solid;
    Point a, b;
    if (rectangleCorners(canvas.clipRect(), x, y, w, h, a, b)) {
        canvas.rectanglePolygon(a.x, a.y, b.x, b.y);
    }
}

namespace {

// Bar lists kept per thread; a sink borrows one for its paint.
std::vector<Piece>& keptBars() {
    thread_local std::vector<Piece> kept;
    return kept;
}

}  // namespace

CanvasSink::CanvasSink(Canvas& canvas, Barcode1DProperties& props, std::int64_t x)
    : canvas_(canvas), props_(props), x_(clampCoord(x)), clip_(canvas.clipRect()), row_(props.X) {
    bars_.swap(keptBars());
    bars_.clear();
}

CanvasSink::~CanvasSink() {
    if (keptBars().capacity() < bars_.capacity()) bars_.swap(keptBars());
}

void CanvasSink::flush() {
    if (asRow_ && !row_.empty()) {
        canvas_.barRows(row_.bars());
    } else if (!bars_.empty()) {
        canvas_.pieces(bars_);
    }
    row_.clear();
    asRow_ = true;
    bars_.clear();
    if (!barDrawn_) return;
    // As after the last bar drawn on its own, whether or not the clip let it show.
    canvas_.pen.width = 1;
    canvas_.brush.style = BrushStyle::Solid;
    canvas_.pen.color = props_.BarColor;
    canvas_.brush.color = props_.BarColor;
}

void CanvasSink::addBar(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    barDrawn_ = true;
    // A bar of an ordinary symbol lies within the clip and needs none of the clamping.
    if (x >= clip_.left && y >= clip_.top && w >= 1 && h >= 0 && w <= clip_.right - x &&
        h < clip_.bottom - y) {
        if (asRow_ && row_.add(x, y, w, h, props_.BarColor)) return;
        addPiece(Point{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)},
                 Point{static_cast<std::int32_t>(x + w - 1), static_cast<std::int32_t>(y + h)});
        return;
    }
    Point a, b;
    if (rectangleCorners(clip_, x, y, w, h, a, b)) addPiece(a, b);
}

void CanvasSink::addPiece(Point a, Point b) {
    toPieces();
    bars_.push_back({Piece::Kind::Rectangle, a, b, props_.BarColor});
}

void CanvasSink::toPieces() {
    if (!asRow_) return;
    row_.appendPieces(bars_);
    row_.clear();
    asRow_ = false;
}

void CanvasSink::setX(std::int64_t x) {
    x_ = clampCoord(x);
}

void CanvasSink::drawPatternAt(std::string_view colours, std::string_view widths,
                               std::int32_t topOffset) {
    if (colours.size() != widths.size()) return;
    const std::int64_t narrow = props_.X;
    const std::int64_t wide = narrow * props_.N;
    // The bars of one pattern share their rows; the properties stay as they are meanwhile.
    const std::int64_t top = std::int64_t{props_.TopMargin} + topOffset;
    const std::int64_t height =
        std::int64_t{props_.TopMargin} + props_.BarHeightPixels + props_.extraHeight - top;
    // A pattern of an ordinary symbol continues the row of runs as a whole, with none of the
    // per-bar clamping; anything else goes bar by bar.
    std::int64_t end = 0;
    bool anyBar = false;
    if (asRow_ && narrow == row_.module() && x_ >= clip_.left && top >= clip_.top && height >= 0 &&
        height < clip_.bottom - top &&
        row_.addPattern(x_, top, height, props_.BarColor, colours, widths, props_.N, clip_.right,
                        end, anyBar)) {
        barDrawn_ = barDrawn_ || anyBar;
        x_ = clampCoord(end);
        return;
    }
    std::int64_t x = x_;
    for (std::size_t k = 0; k < widths.size(); ++k) {
        const std::int8_t known = kLetterModules[static_cast<unsigned char>(widths[k])];
        if (known == 0) continue;
        const std::int64_t width = known == kWideLetter ? wide : narrow * known;
        if (colours[k] == 'b') addBar(x, top, width, height);
        x = clampCoord(satAdd(x, width));
    }
    x_ = x;
}

void CanvasSink::drawGuardPattern(std::string_view colours, std::string_view widths,
                                  std::int32_t topOffset) {
    if (props_.Font && props_.guardBars) props_.extraHeight = props_.Font->height;
    drawPatternAt(colours, widths, topOffset);
    props_.extraHeight = 0;
}

void CanvasSink::fillRectangle(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    addBar(x, y, w, h);
}

}  // namespace qv::barcode1d
