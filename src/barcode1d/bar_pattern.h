// A whole symbol in the pattern language, built by a pure encoder and drawn in one go.
#pragma once

#include <string>
#include <string_view>

#include "barcode1d/encoder_context.h"
#include "barcode1d/pattern_sink.h"

namespace qv::barcode1d {

struct BarPattern {
    std::string colours;
    std::string widths;

    void add(std::string_view c, std::string_view w) {
        if (c.size() != w.size()) return;  // as the sink: unequal strings draw nothing
        colours += c;
        widths += w;
    }
    void draw(PatternSink& sink) const { sink.drawPattern(colours, widths); }
};

// What a pattern encoder produces: the bars and the human-readable text it sets.
struct LinearSymbol {
    BarPattern pattern;
    std::string codeText;  // empty: the control shows the data as set
};

inline void drawSymbol(EncoderContext& ctx, const LinearSymbol& symbol) {
    symbol.pattern.draw(ctx.sink);
    if (!symbol.codeText.empty()) ctx.props.codeText = symbol.codeText;
}

}  // namespace qv::barcode1d
