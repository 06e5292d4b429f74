// The symbols drawn on both sides of the canvas comparison: the native raster canvas on Linux
// writes reference files, the GDI canvas under Windows must give the same pixels. Compiled into
// both programs, so both set the properties through the same table lookups.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/canvas.h"
#include "quorvantix/control.h"

namespace qv::activex::test {

struct DrawingCase {
    std::string_view name;
    std::string_view control;  // class name of the control
    std::int32_t width;
    std::int32_t height;
    std::string_view settings;  // "Property=value;..." in the property table's text forms
};

extern const std::vector<DrawingCase> kDrawingCases;

// The control with the case's properties set; null when a name or value does not parse.
std::unique_ptr<Control> makeControl(const DrawingCase& c, std::string* error);

// Passes every call on to another canvas and remembers the cells that text covered, which the
// comparison leaves out (the two font engines draw different glyphs).
class TextCellRecorder : public Canvas {
  public:
    explicit TextCellRecorder(Canvas& inner) : inner_(inner) {}

    const std::vector<Rect>& cells() const { return cells_; }

    Rect clipRect() const override { return inner_.clipRect(); }
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;

  private:
    void sync();
    Canvas& inner_;
    std::vector<Rect> cells_;
};

// Reference file: "QVREF <width> <height> <cells>\n", one "l t r b\n" line per text cell, then
// the pixels as 32-bit little-endian 0x00BBGGRR values, row by row.
struct Reference {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Rect> cells;
    std::vector<std::uint32_t> pixels;
};
bool writeReference(const std::string& path, const Reference& reference);
bool readReference(const std::string& path, Reference* reference);

}  // namespace qv::activex::test
