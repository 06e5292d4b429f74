// The drawing primitives of the linear control: the pattern language over a canvas.
#pragma once

#include <vector>
#include "barcode1d/pattern_sink.h"
#include "barcode1d/run_row.h"
#include "quorvantix/barcode1d.h"

#include "quorvantix/canvas.h"

namespace qv::barcode1d {

// Polygon through (x, y), (x + w - 1, y), (x + w - 1, y + h), (x, y + h) with a one-pixel pen and
// a solid brush in the canvas's colours. Corners far off the clip rectangle are pulled in to
// just outside it, and a rectangle wholly outside is not drawn, so any size is cheap and exact.
void fillRectangle(Canvas& canvas, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);
// Its corners as given to the polygon; false when it lies wholly outside the clip rectangle.
bool rectangleCorners(const Rect& clip, std::int64_t x, std::int64_t y, std::int64_t w,
                      std::int64_t h, Point& a, Point& b);

// Bars are gathered and drawn in one batch by flush(), which the encoding must be followed by:
// encoders draw nothing else in between.
class CanvasSink final : public PatternSink {
  public:
    // props are the control's own: guards write extraHeight back into them.
    CanvasSink(Canvas& canvas, Barcode1DProperties& props, std::int64_t x);
    ~CanvasSink() override;
    CanvasSink(const CanvasSink&) = delete;
    CanvasSink& operator=(const CanvasSink&) = delete;

    // Draws the bars gathered so far.
    void flush();

    void drawPatternAt(std::string_view colours, std::string_view widths,
                       std::int32_t topOffset) override;
    void drawGuardPattern(std::string_view colours, std::string_view widths,
                          std::int32_t topOffset) override;
    std::int64_t x() const override { return x_; }
    void setX(std::int64_t x) override;
    void fillRectangle(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) override;

  private:
    // A bar in BarColor: the polygon through the corners of x .. x + w - 1, y .. y + h.
    void addBar(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);
    // From here on the bars are pieces, those of the row first.
    void toPieces();
    // A bar in BarColor through corners a and b, as a piece.
    void addPiece(Point a, Point b);

    Canvas& canvas_;
    Barcode1DProperties& props_;
    std::int64_t x_;
    Rect clip_;
    // The bars so far: one row of runs while they make one, else pieces.
    RunRow row_;
    bool asRow_ = true;
    std::vector<Piece> bars_;
    bool barDrawn_ = false;
};

}  // namespace qv::barcode1d
