// The canvas of a Bitmap or an IndexedBitmap: GDI pixel rules over its pixels, everything clipped
// to it. One set of rules for both pixel widths: colours become pixel values where they enter
// (fills, pen, brush, font, batch colours), and everything below draws pixel values.
#pragma once

#include <type_traits>
#include <vector>

#include "canvas/raster_shapes.h"
#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/raster.h"

namespace qv::canvas {

// A rectangle clipped to a surface, half-open, and its pixel value.
template <class P>
struct FillRectOf {
    std::int32_t left, top, right, bottom;
    P color;
};

template <class P>
using RasterOf = std::conditional_t<std::is_same_v<P, std::uint32_t>, Bitmap, IndexedBitmap>;

template <class P>
class RasterCanvasT : public Canvas {
  public:
    using Raster = RasterOf<P>;
    using FillRect = FillRectOf<P>;

    explicit RasterCanvasT(Raster& bitmap) : bitmap_(bitmap) { base_ = pixel(0xFFFFFF); }

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

    const Raster& bitmap() const { return bitmap_; }

    // Writes the fills held back so far; from then on every operation draws at once.
    void settle();

    // The pixel value of a colour; the 32-bit pixels are the colours themselves.
    P pixel(TColor colour) {
        if constexpr (std::is_same_v<P, std::uint32_t>) {
            return colour;
        } else {
            return bitmap_.indexOf(colour);
        }
    }

    // Fills held back at most; past that they are written and drawing goes on directly.
    static constexpr std::size_t kMaxHeld = 4096;
    // Fills of fewer rows are held only while fewer than kShortHeld fills are.
    static constexpr std::int64_t kMinHeldRows = 16;
    static constexpr std::size_t kShortHeld = 8;
    // Bands of at least kMinFilledBand rows whose fills cover at most 1 / kSparseBand of a row
    // are filled whole, then the fills written row by row, rather than one row copied down.
    static constexpr std::int32_t kMinFilledBand = 8;
    static constexpr std::size_t kSparseBand = 8;
    // Widest row of a batch group that is copied rather than painted again.
    static constexpr std::int32_t kMaxCopiedRow = 1 << 16;
    // Tallest bitmap whose batches keep a flag per row (rows known to be alike).
    static constexpr std::int32_t kMaxKnownRows = 1 << 16;

  private:
    // The pixels, with whatever is held back written first.
    SurfaceOf<P> surface();
    P* pixels() const { return bitmap_.pixels_.get(); }
    void fill(const FillPart& part);
    // Every piece of the batch is a fill over the same rows of the bitmap, top .. bottom - 1
    // within it.
    bool sameRows(std::span<const Piece> batch, std::int64_t& top, std::int64_t& bottom) const;
    // Such a batch: every fill one group of the batch writer.
    void drawBars(std::span<const Piece> batch, std::int64_t top, std::int64_t bottom,
                  const Piece*& lastRectangle);
    // The pieces of a batch that are not held back, drawn at once.
    void drawPieces(std::span<const Piece> batch, const Piece*& lastRectangle);
    // Starts writing a batch; on a fresh bitmap with few fills held, hands those over and says so.
    bool beginBatch(std::vector<FillRect>& under);
    // Holds a fill back; false when no more are held.
    bool hold(const FillPart& part);
    // Room for held fills, kept per thread: a paint of a fresh bitmap then allocates none.
    static std::vector<FillRect>& spareHeld();
    static void keepHeld(std::vector<FillRect>& spent);
    // The colour of a pixel value.
    TColor colourOf(P value) const {
        if constexpr (std::is_same_v<P, std::uint32_t>) {
            return value;
        } else {
            return bitmap_.palette_[value];
        }
    }
    // copyRect from a raster canvas of either width; across widths through the colours.
    template <class Q>
    void copyFrom(RasterCanvasT<Q>& source, const Rect& to, const Rect& from);
    template <class Q>
    friend class RasterCanvasT;

    Raster& bitmap_;
    // A fresh bitmap is one colour plus axis-aligned fills, until something else is drawn or the
    // pixels are read: those fills are written band by band, each band's rows once.
    bool holding_ = true;
    P base_{};
    std::vector<FillRect> held_;
};

using RasterCanvas = RasterCanvasT<std::uint32_t>;
using IndexedCanvas = RasterCanvasT<std::uint8_t>;

}  // namespace qv::canvas
