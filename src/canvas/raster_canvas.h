// The canvas of a Bitmap: GDI pixel rules over its 32-bit pixels, everything clipped to it.
#pragma once

#include <vector>

#include "canvas/raster_shapes.h"
#include "quorvantix/raster.h"

namespace qv::canvas {

// A rectangle clipped to a surface, half-open, and its colour.
struct FillRect {
    std::int32_t left, top, right, bottom;
    TColor color;
};

class RasterCanvas : public Canvas {
  public:
    explicit RasterCanvas(Bitmap& bitmap) : bitmap_(bitmap) {}

    Rect clipRect() const override { return {0, 0, bitmap_.width(), bitmap_.height()}; }
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;
    void pieces(std::span<const Piece> batch) override;
    void moduleGrid(const ModuleGrid& grid) override;
    void barRows(const BarRows& bars) override;
    void stamps(const Stamps& shape) override;

    const Bitmap& bitmap() const { return bitmap_; }

    // Writes the fills held back so far; from then on every operation draws at once.
    void settle();

    // Fills held back at most; past that they are written and drawing goes on directly.
    static constexpr std::size_t kMaxHeld = 4096;
    // Fills of fewer rows are held only while fewer than kShortHeld fills are.
    static constexpr std::int64_t kMinHeldRows = 16;
    static constexpr std::size_t kShortHeld = 8;
    // Widest row of a batch group that is copied rather than painted again.
    static constexpr std::int32_t kMaxCopiedRow = 1 << 16;
    // Tallest bitmap whose batches keep a flag per row (rows known to be alike).
    static constexpr std::int32_t kMaxKnownRows = 1 << 16;

  private:
    // The pixels, with whatever is held back written first.
    Surface surface();
    void fill(const FillPart& part);
    // Every piece of the batch is a fill over the same rows of the bitmap.
    bool sameRows(std::span<const Piece> batch) const;
    // The pieces of a batch that are not held back, drawn at once.
    void drawPieces(std::span<const Piece> batch, const Piece*& lastRectangle);
    // Starts writing a batch; on a fresh bitmap with few fills held, hands those over and says so.
    bool beginBatch(std::vector<FillRect>& under);
    // Holds a fill back; false when no more are held.
    bool hold(const FillPart& part);

    Bitmap& bitmap_;
    // A fresh bitmap is one colour plus axis-aligned fills, until something else is drawn or the
    // pixels are read: those fills are written band by band, each band's rows once.
    bool holding_ = true;
    TColor base_ = 0xFFFFFF;
    std::vector<FillRect> held_;
};

}  // namespace qv::canvas
