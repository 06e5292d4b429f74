#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <string_view>

#include "canvas/cp1252.h"
#include "canvas/font_engine.h"
#include "page/cairo_api.h"
#include "page/page_canvas.h"
#include "page/source_date.h"

namespace qv {

struct PageDocument::Writer {
    std::string loadError;
    // Null when cairo cannot be loaded: the pages are then dropped and finish() says why.
    const page::CairoApi* cairo = page::cairoApi(&loadError);
    std::vector<std::uint8_t> bytes;
    bool outOfMemory = false;
    cairo_surface_t* surface = nullptr;
    ~Writer() {
        if (surface) cairo->surface_destroy(surface);
    }
};

namespace {

using page::CairoApi;

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
    auto* w = static_cast<PageDocument::Writer*>(closure);
    try {
        w->bytes.insert(w->bytes.end(), data, data + length);
    } catch (const std::bad_alloc&) {
        w->outOfMemory = true;
        return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
}

void setColour(const CairoApi& cairo, cairo_t* cr, TColor c) {
    cairo.set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                         ((c >> 16) & 0xFF) / 255.0);
}

// Dot coordinates of the unturned page onto the turned one (clockwise quarter turns).
void turn(const CairoApi& cairo, cairo_t* cr, std::int32_t rotation, double width, double height) {
    switch (rotation) {
        case 90:
            cairo.translate(cr, height, 0);
            cairo.rotate(cr, std::numbers::pi / 2);
            break;
        case 180:
            cairo.translate(cr, width, height);
            cairo.rotate(cr, std::numbers::pi);
            break;
        case 270:
            cairo.translate(cr, 0, width);
            cairo.rotate(cr, -std::numbers::pi / 2);
            break;
        default:
            break;
    }
}

// The glyphs at the pen positions of the raster, so that the text lines up as in a PNG.
void showText(const CairoApi& cairo, cairo_t* cr, const PageCanvas::TextRun& run) {
    const auto sized = canvas::sizedFont(run.font);
    const std::string family = canvas::cp1252ToUtf8(run.font.name);
    cairo.select_font_face(cr, family.c_str(),
                           run.font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           run.font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo.set_font_size(cr, sized->pixelSize());
    setColour(cairo, cr, run.font.color);
    const std::string utf8 = canvas::cp1252ToUtf8(run.text);
    const double baseline = static_cast<double>(run.y) + sized->ascent();
    cairo_glyph_t* glyphs = nullptr;
    int glyphCount = 0;
    cairo_text_cluster_t* clusters = nullptr;
    int clusterCount = 0;
    cairo_text_cluster_flags_t flags{};
    cairo_scaled_font_t* font = cairo.get_scaled_font(cr);
    if (cairo.scaled_font_text_to_glyphs(
            font, run.x, baseline, utf8.data(), static_cast<int>(utf8.size()), &glyphs, &glyphCount,
            &clusters, &clusterCount, &flags) != CAIRO_STATUS_SUCCESS) {
        return;
    }
    if (static_cast<std::size_t>(glyphCount) == run.text.size()) {
        double x = run.x;
        for (std::size_t i = 0; i < run.text.size(); ++i) {
            glyphs[i].x = x;
            x += sized->glyph(static_cast<std::uint8_t>(run.text[i])).advance;
        }
    }
    cairo.show_text_glyphs(cr, utf8.data(), static_cast<int>(utf8.size()), glyphs, glyphCount,
                           clusters, clusterCount, flags);
    cairo.glyph_free(glyphs);
    cairo.text_cluster_free(clusters);
}

// The first header line of the EPS file that starts with `key`, newline left, replaced by `lines`.
void replaceLine(std::vector<std::uint8_t>& eps, std::string_view key, std::string_view lines) {
    const std::string_view text(reinterpret_cast<const char*>(eps.data()), eps.size());
    const std::size_t at = text.find(key);
    const std::size_t end = at == std::string_view::npos ? at : text.find('\n', at);
    if (end == std::string_view::npos) return;
    std::vector<std::uint8_t> out;
    out.reserve(eps.size() + lines.size());
    out.assign(eps.begin(), eps.begin() + static_cast<std::ptrdiff_t>(at));
    out.insert(out.end(), lines.begin(), lines.end());
    out.insert(out.end(), eps.begin() + static_cast<std::ptrdiff_t>(end), eps.end());
    eps.swap(out);
}

// The PDF's creation date, which cairo takes from the clock, overwritten in place (the cross
// references count bytes, so the date keeps its length). cairo's own way to set it writes a
// date without its "D:" prefix.
void redate(std::vector<std::uint8_t>& pdf, std::int64_t seconds) {
    const std::string_view text(reinterpret_cast<const char*>(pdf.data()), pdf.size());
    const std::size_t key = text.find("/CreationDate (D:");
    if (key == std::string_view::npos) return;
    const std::size_t at = key + std::string_view("/CreationDate ").size();
    const std::size_t end = text.find(')', at);
    if (end == std::string_view::npos) return;
    const std::string date = page::pdfDate(seconds, end + 1 - at);
    std::copy(date.begin(), date.end(), pdf.begin() + static_cast<std::ptrdiff_t>(at));
}

// The page as the EPS bounding box, also to a fraction of a point: cairo writes whole points and
// draws from the top of that box, so the exact page lies at its top, the fraction left below.
void boundPage(std::vector<std::uint8_t>& eps, double width, double height) {
    const double top = std::ceil(height);
    char lines[160];
    const int n =
        std::snprintf(lines, sizeof lines,
                      "%%%%BoundingBox: 0 0 %.0f %.0f\n%%%%HiResBoundingBox: 0 %.4f %.4f %.0f",
                      std::ceil(width), top, top - height, width, top);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof lines) return;
    replaceLine(eps, "%%BoundingBox:", std::string_view(lines, static_cast<std::size_t>(n)));
}

// Where a rectangle meets another colour, its edge sits a little inside the dot boundary:
// PostScript devices fill every pixel a shape touches, and the file's coordinates, rounded to a
// thousandth of a point, can put an edge a trifle past the boundary, which would cost a dot.
// Edges against the same colour stay, so that no seam opens inside an area.
struct Inset {
    double left = 0, top = 0, right = 0, bottom = 0;
};

Inset insetOf(const Bitmap& raster, const ColourRect& r) {
    constexpr double kInset = 1.0 / 32;
    auto sameRow = [&](std::int32_t y) {
        if (y < 0 || y >= raster.height()) return true;
        for (std::int32_t x = r.left; x < r.right; ++x)
            if (raster.pixel(x, y) != r.colour) return false;
        return true;
    };
    auto sameColumn = [&](std::int32_t x) {
        if (x < 0 || x >= raster.width()) return true;
        for (std::int32_t y = r.top; y < r.bottom; ++y)
            if (raster.pixel(x, y) != r.colour) return false;
        return true;
    };
    return {sameColumn(r.left - 1) ? 0 : kInset, sameRow(r.top - 1) ? 0 : kInset,
            sameColumn(r.right) ? 0 : kInset, sameRow(r.bottom) ? 0 : kInset};
}

}  // namespace

PageDocument::PageDocument(PageFormat format, PageSetup setup)
    : format_(format), setup_(setup), writer_(std::make_unique<Writer>()) {
    if (!(setup_.dotsPerInch > 0)) setup_.dotsPerInch = 96.0;
    setup_.rotation = ((setup_.rotation % 360) + 360) % 360 / 90 * 90;
}

PageDocument::~PageDocument() = default;

Canvas& PageDocument::addPage(std::int32_t width, std::int32_t height) {
    if (format_ == PageFormat::Eps && pages_ > 0)
        throw std::logic_error("an EPS file holds one page");
    emitPage();
    page_ = std::make_unique<PageCanvas>(width, height);
    ++pages_;
    return *page_;
}

void PageDocument::emitPage() {
    if (!page_) return;
    const PageCanvas& page = *page_;
    const double w = page.bitmap().width();
    const double h = page.bitmap().height();
    const bool sideways = setup_.rotation == 90 || setup_.rotation == 270;
    const double points = 72.0 / setup_.dotsPerInch;
    // A hair under the exact size, so that a renderer rounding dots up does not add one.
    auto trimmed = [](double pt) { return std::floor(pt * 1e4 - 0.5) / 1e4; };
    const double pageW = trimmed((sideways ? h : w) * points);
    const double pageH = trimmed((sideways ? w : h) * points);
    pageWidth_ = pageW;
    pageHeight_ = pageH;
    Writer& out = *writer_;
    if (!out.cairo) {
        page_.reset();
        return;
    }
    const CairoApi& cairo = *out.cairo;
    if (!out.surface) {
        out.surface = format_ == PageFormat::Pdf
                          ? cairo.pdf_surface_create_for_stream(append, &out, pageW, pageH)
                          : cairo.ps_surface_create_for_stream(append, &out, pageW, pageH);
        if (format_ == PageFormat::Eps) cairo.ps_surface_set_eps(out.surface, 1);
        if (format_ == PageFormat::Pdf)
            cairo.pdf_surface_set_metadata(out.surface, CAIRO_PDF_METADATA_CREATOR, "Quorvantix");
    } else if (format_ == PageFormat::Pdf) {
        cairo.pdf_surface_set_size(out.surface, pageW, pageH);
    }
    cairo_t* cr = cairo.create(out.surface);
    cairo.scale(cr, points, points);
    turn(cairo, cr, setup_.rotation, w, h);
    if (!setup_.transparent) {
        setColour(cairo, cr, setup_.background);
        cairo.rectangle(cr, 0, 0, w, h);
        cairo.fill(cr);
    }
    // One path per colour: neighbouring rectangles fill as one area, without seams.
    const Bitmap& raster = page.bitmap();
    const auto rects = coveringRectangles(raster, setup_.background);
    for (std::size_t i = 0; i < rects.size();) {
        const TColor colour = rects[i].colour;
        for (; i < rects.size() && rects[i].colour == colour; ++i) {
            const Inset in = insetOf(raster, rects[i]);
            const ColourRect& r = rects[i];
            cairo.rectangle(cr, r.left + in.left, r.top + in.top,
                            r.right - r.left - in.left - in.right,
                            r.bottom - r.top - in.top - in.bottom);
        }
        setColour(cairo, cr, colour);
        cairo.fill(cr);
    }
    for (const auto& run : page.texts()) {
        // Text in the background colour is background too.
        if (setup_.transparent && run.font.color == setup_.background) continue;
        showText(cairo, cr, run);
    }
    cairo.show_page(cr);
    cairo.destroy(cr);
    page_.reset();
}

bool PageDocument::available() const {
    return writer_->cairo != nullptr;
}

std::vector<std::uint8_t> PageDocument::finish(std::string* error) {
    if (pages_ == 0) addPage(1, 1);
    emitPage();
    Writer& out = *writer_;
    if (!out.cairo) {
        if (error) *error = out.loadError;
        return {};
    }
    const CairoApi& cairo = *out.cairo;
    cairo.surface_finish(out.surface);
    const cairo_status_t status = cairo.surface_status(out.surface);
    if (status != CAIRO_STATUS_SUCCESS || out.outOfMemory) {
        if (error) *error = out.outOfMemory ? "out of memory" : cairo.status_to_string(status);
        return {};
    }
    if (format_ == PageFormat::Eps) boundPage(out.bytes, pageWidth_, pageHeight_);
    // cairo dates files by the clock alone.
    if (const auto when = page::sourceDateEpoch()) {
        if (format_ == PageFormat::Eps)
            replaceLine(out.bytes, "%%CreationDate:", "%%CreationDate: " + page::headerDate(*when));
        else
            redate(out.bytes, *when);
    }
    return std::move(out.bytes);
}

}  // namespace qv
