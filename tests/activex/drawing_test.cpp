// Each control painted by paintBarcode onto the GDI canvas over a 32-bit DIB section gives the
// pixels that the native raster canvas gave for the same properties, text cells excepted.
#include <windows.h>

#include <algorithm>
#include <string>

#include "canvas_gdi/gdi_canvas.h"
#include "check.h"
#include "com_helpers.h"
#include "drawing_cases.h"
#include "pixel_compare.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

bool inside(const std::vector<Rect>& cells, std::int32_t x, std::int32_t y) {
    return std::any_of(cells.begin(), cells.end(), [&](const Rect& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

void compare(const DrawingCase& c, const std::string& folder) {
    const std::string name(c.name);
    Reference reference;
    QV_CHECK(readReference(folder + "/" + name + ".ref", &reference), name + " reference");
    if (reference.width != c.width || reference.height != c.height) return;
    std::string error;
    auto control = makeControl(c, &error);
    QV_CHECK(control != nullptr, name + ": " + error);
    if (!control) return;
    gdi::DibSection dib(c.width, c.height);
    TextCellRecorder recorder(dib.canvas());
    control->paintBarcode(recorder);
    GdiFlush();
    checkSamePixels(name, reference, dib.pixels(), recorder.cells());
}

}  // namespace

void checkSamePixels(const std::string& name, const Reference& reference,
                     const std::uint32_t* pixels, const std::vector<Rect>& moreCells) {
    std::vector<Rect> cells = reference.cells;
    cells.insert(cells.end(), moreCells.begin(), moreCells.end());
    const std::int32_t width = reference.width;
    const std::int32_t height = reference.height;
    // Not a vacuous comparison: the symbol is there and most of the canvas is compared.
    const std::uint32_t background = reference.pixels[width + 1];
    const auto drawn = std::count_if(reference.pixels.begin(), reference.pixels.end(),
                                     [&](std::uint32_t p) { return p != background; });
    QV_CHECK(drawn > 100, name + " draws a symbol");
    std::int64_t masked = 0;
    std::int64_t differing = 0;
    std::int32_t firstX = -1;
    std::int32_t firstY = -1;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            if (inside(cells, x, y)) {
                ++masked;
                continue;
            }
            const std::uint32_t rgb = pixels[y * width + x] & 0xFFFFFF;
            const std::uint32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
            if (bgr == (reference.pixels[y * width + x] & 0xFFFFFF)) continue;
            if (differing++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    }
    QV_CHECK(masked * 4 < std::int64_t{width} * height, name + " mostly compared");
    QV_CHECK_EQ(differing, 0,
                name + " first at " + std::to_string(firstX) + "," + std::to_string(firstY));
}

int drawingTest(const std::wstring& referenceDir) {
    const std::string folder = narrow(referenceDir);
    for (const DrawingCase& c : kDrawingCases) compare(c, folder);
    return failureCount();
}

}  // namespace qv::activex::test
