#include "quorvantix/svg.h"

#include <algorithm>
#include <cstdio>

#include "canvas/cp1252.h"
#include "canvas/font_engine.h"
#include "canvas/raster_shapes.h"
#include "canvas/rectangle_parts.h"
#include "canvas/text_render.h"

namespace qv {
namespace {

std::string hexColour(TColor c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return buf;
}

// Text bytes as XML character data: Windows-1252 to UTF-8, markup escaped, and the control
// characters XML cannot hold replaced.
std::string xmlText(std::string_view bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        switch (b) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') {
                    canvas::appendUtf8(out, 0xFFFD);
                } else {
                    canvas::appendUtf8(out, canvas::cp1252ToUnicode(b));
                }
        }
    }
    return out;
}

// A family name CSS reads as one name whatever the host wrote, then the generic fallback.
std::string fontFamily(std::string_view name) {
    std::string out;
    for (const char ch : name) {
        const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                           (ch >= '0' && ch <= '9') || ch == ' ' || ch == '-' || ch == '_';
        if (plain) out += ch;
    }
    if (out.find_first_not_of(' ') == std::string::npos) return "sans-serif";
    return "'" + out + "', sans-serif";
}

std::string num(std::int64_t v) {
    return std::to_string(v);
}

// Pixel centres: a one-pixel stroke through them covers exactly the raster's outline pixels.
std::string centre(std::int64_t v) {
    return std::to_string(v) + ".5";
}

}  // namespace

SvgCanvas::SvgCanvas(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {}

SvgCanvas::~SvgCanvas() = default;

Rect SvgCanvas::clipRect() const {
    return {0, 0, width_, height_};
}

void SvgCanvas::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (canvas::axisAlignedRectangle(points, x0, y0, x1, y1)) {
        // Same coverage as the raster, limited to the canvas so numbers stay small.
        for (const auto& f : canvas::rectangleParts(x0, y0, x1, y1, pen, brush)) {
            const std::int64_t l = std::max<std::int64_t>(f.left, 0);
            const std::int64_t t = std::max<std::int64_t>(f.top, 0);
            const std::int64_t r = std::min<std::int64_t>(f.right, width_);
            const std::int64_t b = std::min<std::int64_t>(f.bottom, height_);
            if (l >= r || t >= b) continue;
            body_ += "<rect x=\"" + num(l) + "\" y=\"" + num(t) + "\" width=\"" + num(r - l) +
                     "\" height=\"" + num(b - t) + "\" fill=\"" + hexColour(f.color) + "\"/>\n";
        }
        return;
    }
    body_ += "<polygon points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) body_ += ' ';
        body_ += centre(points[i].x) + "," + centre(points[i].y);
    }
    body_ += "\" fill=\"" +
             (brush.style == BrushStyle::Solid ? hexColour(brush.color) : std::string("none")) +
             "\" stroke=\"" + hexColour(pen.color) + "\" stroke-width=\"" +
             num(canvas::effectivePenWidth(pen)) + "\" stroke-linejoin=\"miter\"/>\n";
}

void SvgCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    const std::int64_t x0 = std::min(l, r);
    const std::int64_t x1 = std::max(l, r);
    const std::int64_t y0 = std::min(t, b);
    const std::int64_t y1 = std::max(t, b);
    if (x0 == x1 || y0 == y1) return;
    if (x1 - x0 <= 2 || y1 - y0 <= 2) {
        // Tiny boxes are filled whole on the raster.
        const Brush kept = brush;
        brush = {pen.color, BrushStyle::Solid};
        rectanglePolygon(static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0),
                         static_cast<std::int32_t>(x1 - 1), static_cast<std::int32_t>(y1 - 1));
        brush = kept;
        return;
    }
    // The one-pixel outline runs half a pixel inside the box, as on the raster.
    const std::int64_t w = x1 - x0;
    const std::int64_t h = y1 - y0;
    auto half = [](std::int64_t twice) {
        return std::to_string(twice / 2) + (twice % 2 != 0 ? ".5" : "");
    };
    body_ += "<ellipse cx=\"" + half(x0 + x1) + "\" cy=\"" + half(y0 + y1) + "\" rx=\"" +
             half(w - 1) + "\" ry=\"" + half(h - 1) + "\" fill=\"" +
             (brush.style == BrushStyle::Solid ? hexColour(brush.color) : std::string("none")) +
             "\" stroke=\"" + hexColour(pen.color) + "\" stroke-width=\"1\"/>\n";
}

void SvgCanvas::line(Point a, Point b) {
    if (a == b) return;
    const canvas::P64 first{a.x, a.y};
    const canvas::P64 last = canvas::lastLinePixel(first, {b.x, b.y});
    const std::int64_t w = canvas::effectivePenWidth(pen);
    if (first.x == last.x || first.y == last.y) {
        // Straight runs, the single pixels of hexagon grids among them, as rectangles.
        const std::int64_t o = canvas::penOffset(w);
        const std::int64_t l = std::min(first.x, last.x) - o;
        const std::int64_t t = std::min(first.y, last.y) - o;
        const std::int64_t r = std::max(first.x, last.x) - o + w;
        const std::int64_t bt = std::max(first.y, last.y) - o + w;
        const std::int64_t cl = std::max<std::int64_t>(l, 0);
        const std::int64_t ct = std::max<std::int64_t>(t, 0);
        const std::int64_t cr = std::min<std::int64_t>(r, width_);
        const std::int64_t cb = std::min<std::int64_t>(bt, height_);
        if (cl >= cr || ct >= cb) return;
        body_ += "<rect x=\"" + num(cl) + "\" y=\"" + num(ct) + "\" width=\"" + num(cr - cl) +
                 "\" height=\"" + num(cb - ct) + "\" fill=\"" + hexColour(pen.color) + "\"/>\n";
        return;
    }
    body_ += "<line x1=\"" + centre(first.x) + "\" y1=\"" + centre(first.y) + "\" x2=\"" +
             centre(last.x) + "\" y2=\"" + centre(last.y) + "\" stroke=\"" + hexColour(pen.color) +
             "\" stroke-width=\"" + num(w) + "\" stroke-linecap=\"square\"/>\n";
}

void SvgCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    const auto sized = canvas::sizedFont(font);
    const std::int64_t width = sized->advance(text);
    if (brush.style == BrushStyle::Solid && width > 0) {
        body_ += "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(width) +
                 "\" height=\"" + num(sized->cellHeight()) + "\" fill=\"" + hexColour(brush.color) +
                 "\"/>\n";
    }
    if (text.empty()) return;
    body_ += "<text x=\"" + num(x) + "\" y=\"" + num(std::int64_t{y} + sized->ascent()) +
             "\" font-family=\"" + xmlText(fontFamily(font.name)) + "\" font-size=\"" +
             num(sized->pixelSize()) + "\" fill=\"" + hexColour(font.color) + "\"";
    if (font.bold) body_ += " font-weight=\"bold\"";
    if (font.italic) body_ += " font-style=\"italic\"";
    if (font.underline || font.strikeout) {
        body_ += std::string(" text-decoration=\"") + (font.underline ? "underline" : "") +
                 (font.underline && font.strikeout ? " " : "") +
                 (font.strikeout ? "line-through" : "") + "\"";
    }
    // The advance measured here, so the layout matches the raster whatever font the viewer has.
    if (width > 0) body_ += " textLength=\"" + num(width) + "\" lengthAdjust=\"spacingAndGlyphs\"";
    body_ += " xml:space=\"preserve\">" + xmlText(text) + "</text>\n";
}

std::int32_t SvgCanvas::textWidth(std::string_view text) {
    return canvas::textAdvance(font, text);
}

std::int32_t SvgCanvas::textHeight(std::string_view) {
    return canvas::textCellHeight(font);
}

// Pixels of another surface are not carried into vector output.
void SvgCanvas::copyRect(const Rect&, Canvas&, const Rect&) {}

namespace {

// A millimetre length, short but exact to a micrometre.
std::string millimetres(std::int64_t dots, double dotsPerInch) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4gmm", static_cast<double>(dots) * 25.4 / dotsPerInch);
    return buf;
}

// The body painted in white wherever it is not the background colour, and black where it is:
// as a luminance mask it hides exactly the background, whatever overlaps what.
std::string backgroundMask(std::string body, TColor background) {
    const std::string back = hexColour(background);
    for (const std::string_view attribute : {"fill=\"#", "stroke=\"#"}) {
        for (std::size_t at = body.find(attribute); at != std::string::npos;
             at = body.find(attribute, at + 1)) {
            const std::size_t colour = at + attribute.size() - 1;
            const bool isBack = body.compare(colour, back.size(), back) == 0;
            body.replace(colour, back.size(), isBack ? "#000000" : "#FFFFFF");
        }
    }
    return body;
}

}  // namespace

std::string SvgCanvas::document(const Page& page) const {
    const std::int32_t turn = ((page.rotation % 360) + 360) % 360 / 90 * 90;
    const bool sideways = turn == 90 || turn == 270;
    const std::int64_t w = sideways ? height_ : width_;
    const std::int64_t h = sideways ? width_ : height_;
    auto size = [&](std::int64_t dots) {
        return page.dotsPerInch && *page.dotsPerInch > 0 ? millimetres(dots, *page.dotsPerInch)
                                                         : num(dots);
    };
    std::string transform;
    if (turn == 90) transform = "translate(" + num(w) + " 0) rotate(90)";
    if (turn == 180) transform = "translate(" + num(w) + " " + num(h) + ") rotate(180)";
    if (turn == 270) transform = "translate(0 " + num(h) + ") rotate(270)";
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        size(w) + "\" height=\"" + size(h) + "\" viewBox=\"0 0 " + num(w) + " " + num(h) +
        "\" shape-rendering=\"crispEdges\">\n";
    std::string open = "<g";
    if (!transform.empty()) open += " transform=\"" + transform + "\"";
    if (page.transparent) {
        doc +=
            "<defs><mask id=\"background\" maskUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" "
            "width=\"" +
            num(width_) + "\" height=\"" + num(height_) + "\">\n" +
            backgroundMask(body_, *page.transparent) + "</mask></defs>\n";
        open += " mask=\"url(#background)\"";
    }
    return doc + open + ">\n" + body_ + "</g>\n</svg>\n";
}

std::string SvgCanvas::document() const {
    const std::string w = num(width_);
    const std::string h = num(height_);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
           "\" shape-rendering=\"crispEdges\">\n" + body_ + "</svg>\n";
}

}  // namespace qv
