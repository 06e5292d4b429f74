// A PatternSink that keeps every element an encoder drew, with its top offset and whether it was
// drawn as a guard, and a harness that runs one encoder on it.
#pragma once

#include <string>
#include <vector>

#include "barcode1d/encoder_context.h"

namespace qv::barcode1d::trace {

struct Element {
    bool bar;
    std::int64_t width;
    std::int32_t top;
    bool guard;
};

class TracedSink : public PatternSink {
  public:
    explicit TracedSink(const Barcode1DProperties& props) : props_(props) {}

    void drawPatternAt(std::string_view colours, std::string_view widths,
                       std::int32_t topOffset) override {
        draw(colours, widths, topOffset, false);
    }
    void drawGuardPattern(std::string_view colours, std::string_view widths,
                          std::int32_t topOffset) override {
        draw(colours, widths, topOffset, true);
    }
    std::int64_t x() const override { return x_; }
    void setX(std::int64_t x) override {
        // A gap shows as a space in the module string.
        if (x > x_) elements.push_back({false, x - x_, 0, false});
        x_ = x;
    }
    void fillRectangle(std::int64_t, std::int64_t, std::int64_t, std::int64_t) override {}

    // One character per pixel: "1" bar, "0" space.
    std::string modules() const {
        std::string s;
        for (const auto& e : elements)
            s.append(static_cast<std::size_t>(e.width), e.bar ? '1' : '0');
        return s;
    }

    std::vector<Element> elements;

  private:
    void draw(std::string_view colours, std::string_view widths, std::int32_t top, bool guard) {
        if (colours.size() != widths.size()) return;
        for (std::size_t k = 0; k < widths.size(); ++k) {
            const char c = widths[k];
            const std::int64_t x = props_.X;
            const std::int64_t w = c == 'n'               ? x
                                   : c == 'w'             ? x * props_.N
                                   : c >= '1' && c <= '4' ? x * (c - '0')
                                                          : -1;
            if (w < 0) continue;
            elements.push_back({colours[k] == 'b', w, top, guard});
            x_ += w;
        }
    }
    const Barcode1DProperties& props_;
    std::int64_t x_ = 0;
};

// What one encoder run produced, with the properties as it left them.
struct Encoded {
    Barcode1DProperties props;
    std::vector<Element> elements;
    std::string modules;
    LayoutMarks marks;
    std::vector<Note> notes;
};

inline Encoded encodeWith(Encoder encoder, Barcode1DProperties props) {
    TracedSink sink(props);
    LayoutMarks marks;
    std::vector<Note> notes;
    EncoderContext ctx{props, sink, marks, notes};
    encoder(ctx);
    return {props, sink.elements, sink.modules(), marks, notes};
}

}  // namespace qv::barcode1d::trace
