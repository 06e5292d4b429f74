// Print output: PDF and EPS pages whose canvas covers exactly the dots the raster covers, drawn
// as vector rectangles at a given resolution, with text as real text in an embedded font.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quorvantix/canvas.h"

namespace qv {

enum class PageFormat : std::uint8_t { Pdf, Eps };

struct PageSetup {
    // Dots per inch: one canvas pixel is 72 / dotsPerInch points on the page.
    double dotsPerInch = 96.0;
    // Clockwise quarter turns of the finished page: 0, 90, 180 or 270.
    std::int32_t rotation = 0;
    // The symbol's background colour: painted once under everything, or, when transparent,
    // left unpainted wherever the picture is that colour.
    TColor background = 0xFFFFFF;
    bool transparent = false;
};

class PageCanvas;

// A document of one page (EPS) or any number (PDF), written when finished.
class PageDocument {
  public:
    PageDocument(PageFormat format, PageSetup setup);
    ~PageDocument();
    PageDocument(const PageDocument&) = delete;
    PageDocument& operator=(const PageDocument&) = delete;

    // Starts a page of width x height dots (sizes below 1 count as 1) and returns its canvas,
    // valid until the next page or finish. Throws std::length_error past Bitmap::maxPixels and
    // std::logic_error for a second EPS page.
    Canvas& addPage(std::int32_t width, std::int32_t height);
    std::size_t pages() const { return pages_; }
    // False when cairo cannot be loaded: finish() then fails and says why.
    bool available() const;

    // The file's bytes; empty, with the reason in *error, when the library fails.
    std::vector<std::uint8_t> finish(std::string* error);

    struct Writer;  // the file as it is written

  private:
    void emitPage();

    PageFormat format_;
    PageSetup setup_;
    std::size_t pages_ = 0;
    double pageWidth_ = 0;  // points, of the last page
    double pageHeight_ = 0;
    std::unique_ptr<PageCanvas> page_;
    std::unique_ptr<Writer> writer_;
};

}  // namespace qv
