// Test helpers: a PatternSink that records what an encoder drew, and a harness that runs an
// encoder on it.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "barcode1d/encoder_context.h"
#include "barcode1d/pattern_sink.h"

namespace qv::barcode1d::test {

struct Element {
    bool bar;
    std::int64_t width;
};

struct Rectangle {
    std::int64_t x, y, w, h;
};

class RecordingSink : public PatternSink {
  public:
    std::int64_t narrow = 1;
    std::int64_t wide = 2;
    std::vector<Element> elements;
    std::vector<Rectangle> rectangles;

    void drawPatternAt(std::string_view colours, std::string_view widths,
                       std::int32_t /*topOffset*/) override {
        if (colours.size() != widths.size()) return;
        for (std::size_t k = 0; k < colours.size(); ++k) {
            const char w = widths[k];
            const bool known = w == 'n' || w == 'w' || (w >= '1' && w <= '4');
            if (!known) continue;
            const std::int64_t width = w == 'n' ? narrow : w == 'w' ? wide : narrow * (w - '0');
            elements.push_back({colours[k] == 'b', width});
            if (__builtin_add_overflow(x_, width, &x_))
                x_ = std::numeric_limits<std::int64_t>::max();
        }
    }
    void drawGuardPattern(std::string_view colours, std::string_view widths,
                          std::int32_t topOffset) override {
        drawPatternAt(colours, widths, topOffset);
    }
    std::int64_t x() const override { return x_; }
    void setX(std::int64_t x) override { x_ = x; }
    void fillRectangle(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) override {
        rectangles.push_back({x, y, w, h});
    }

    // Element widths as digits, bars and spaces alternating from the first element.
    std::string runs() const {
        std::string s;
        for (const Element& e : elements) s += static_cast<char>('0' + e.width);
        return s;
    }
    // Bar widths only.
    std::string barRuns() const {
        std::string s;
        for (const Element& e : elements)
            if (e.bar) s += static_cast<char>('0' + e.width);
        return s;
    }
    // One character per pixel: "1" bar, "0" space.
    std::string modules() const {
        std::string s;
        for (const Element& e : elements)
            s.append(static_cast<std::size_t>(e.width), e.bar ? '1' : '0');
        return s;
    }

  private:
    std::int64_t x_ = 0;
};

// Runs one encoder with the given properties.
struct Harness {
    Barcode1DProperties props;
    RecordingSink sink;
    LayoutMarks marks;
    std::vector<Note> notes;

    void run(Encoder encoder) {
        sink.narrow = props.X;
        sink.wide = std::int64_t{props.X} * props.N;
        EncoderContext ctx{props, sink, marks, notes};
        encoder(ctx);
    }
};

}  // namespace qv::barcode1d::test
