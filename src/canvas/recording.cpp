#include "quorvantix/recording.h"

#include "canvas/text_render.h"

namespace qv {

RecordingCanvas::RecordingCanvas(Rect clip) : clip_(clip) {}

void RecordingCanvas::polygon(std::span<const Point> points) {
    calls.push_back(
        {DrawCall::Kind::Polygon, {points.begin(), points.end()}, {}, pen, brush, font});
}

void RecordingCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    calls.push_back({DrawCall::Kind::Ellipse, {{l, t}, {r, b}}, {}, pen, brush, font});
}

void RecordingCanvas::line(Point a, Point b) {
    calls.push_back({DrawCall::Kind::Line, {a, b}, {}, pen, brush, font});
}

void RecordingCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    calls.push_back({DrawCall::Kind::Text, {{x, y}}, std::string(text), pen, brush, font});
}

std::int32_t RecordingCanvas::textWidth(std::string_view text) {
    return canvas::textAdvance(font, text);
}

std::int32_t RecordingCanvas::textHeight(std::string_view) {
    return canvas::textCellHeight(font);
}

// Points: destination top-left and bottom-right, then the source's.
void RecordingCanvas::copyRect(const Rect& to, Canvas&, const Rect& from) {
    calls.push_back({DrawCall::Kind::Copy,
                     {{to.left, to.top},
                      {to.right, to.bottom},
                      {from.left, from.top},
                      {from.right, from.bottom}},
                     {},
                     pen,
                     brush,
                     font});
}

}  // namespace qv
