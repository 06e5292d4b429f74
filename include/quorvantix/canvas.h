// The drawing surface every control paints on: pen, brush, font, clip rectangle and the few
// operations the controls use. Implementations: raster (GDI pixel rules), SVG, recording, bounds.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/types.h"

namespace qv {

enum class BrushStyle : std::uint8_t { Solid, Clear };

struct Pen {
    std::int32_t width = 1;
    TColor color = 0;  // a fresh canvas has the platform's black pen
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    TColor color = 0xFFFFFF;
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const Brush&, const Brush&) = default;
};

// One call of a batch: a rectangle polygon through the corners a and b with a one-pixel pen and a
// solid brush, both in `colour`; or a line from a to b with a one-pixel pen in `colour`.
struct Piece {
    enum class Kind : std::uint8_t { Rectangle, Line };
    Kind kind = Kind::Rectangle;
    Point a;
    Point b;
    TColor colour = 0;
};

// Square modules drawn row by row, left to right: module (c, r) is the rectangle polygon from
// (left + c * pitch, top + r * pitch) to pitch pixels further each way, both ends included, in
// `dark` where modules[r * columns + c] is non-zero, else in `light`. Modules wholly outside the
// clip rectangle are left out; the others have their corners clamped to one pixel beyond it.
struct ModuleGrid {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t pitch = 1;
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::span<const std::uint8_t> modules;  // at least columns x rows
    TColor dark = 0;
    TColor light = 0xFFFFFF;
};

// Rows of bars and spaces. Row r spans y = top + r * rowHeight to rowHeight pixels further, both
// ends included; its run widths in modules (digits '1' to '8', other characters skipped)
// alternate bar and space from the first, from x = left, moduleWidth pixels a module. A bar of
// w modules is the rectangle polygon from (x, y) to (x + w * moduleWidth - 1, y + rowHeight) in
// `colour`; bars wholly outside the clip rectangle are left out, the others have their corners
// clamped to one pixel beyond it.
struct BarRows {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t moduleWidth = 1;
    std::int64_t rowHeight = 1;
    std::span<const std::string> rows;
    TColor colour = 0;
};

// One row of a small shape: columns [from, to), none when from >= to.
struct ShapeRow {
    std::int32_t from = 0;
    std::int32_t to = 0;
};

// Where a shape's top-left corner goes.
struct Place {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// One shape drawn at many places, in order. At (x, y) row r of the shape is the line from
// (x + from, y + r) to (x + to, y + r), the last point left out, with a one-pixel pen in
// `colour`. A place whose box (width x rows) lies wholly outside the clip rectangle is skipped;
// elsewhere the rows and columns outside it are left out.
struct Stamps {
    std::int32_t width = 0;
    std::span<const ShapeRow> rows;
    std::span<const Place> places;
    TColor colour = 0;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Drawing state, read by every operation at the time it runs.
    Pen pen;
    Brush brush;
    Font font;

    virtual Rect clipRect() const = 0;

    // Filled polygon: interior in the brush (when solid), one-pixel outline in the pen colour.
    virtual void polygon(std::span<const Point> points) = 0;
    // Filled ellipse in the bounding box (l, t, r, b); right and bottom excluded.
    virtual void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) = 0;
    // MoveTo(a), LineTo(b): the last point is not drawn.
    virtual void line(Point a, Point b) = 0;
    // (x, y) is the top-left corner of the text cell; the cell is painted in the brush colour.
    virtual void textOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    // Advance width of the text in the current font.
    virtual std::int32_t textWidth(std::string_view text) = 0;
    // Cell height of the current font, in pixels.
    virtual std::int32_t textHeight(std::string_view text) = 0;
    // Copies src's rectangle `from` onto this canvas at `to` (same size; no stretching).
    virtual void copyRect(const Rect& to, Canvas& src, const Rect& from) = 0;

    // Convenience for the common axis-aligned case: polygon through the four corners.
    void rectanglePolygon(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

    // Batches, for the many small shapes of a symbol. By default each piece is its own call
    // (polygon or line) with the pen and brush set as the piece says, so every canvas sees the
    // same calls; a canvas may draw a batch faster, with the same result and the pen and brush
    // left as the last call set them.
    virtual void pieces(std::span<const Piece> batch);
    virtual void moduleGrid(const ModuleGrid& grid);
    virtual void barRows(const BarRows& bars);
    virtual void stamps(const Stamps& shape);
};

}  // namespace qv
