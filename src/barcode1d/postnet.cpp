#include "barcode1d/postnet.h"

#include <array>
#include <limits>

#include "barcode1d/left_out.h"
#include "barcode1d/more_encoders.h"
#include "barcode1d/text_helpers.h"

namespace qv::barcode1d {
namespace {

constexpr std::array<PatternEntry, 10> kDigits = {{
    {"0", "11000"},
    {"1", "00011"},
    {"2", "00101"},
    {"3", "00110"},
    {"4", "01001"},
    {"5", "01010"},
    {"6", "01100"},
    {"7", "10001"},
    {"8", "10010"},
    {"9", "10100"},
}};

// Huge module widths must not wrap the drawing position around.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<std::int64_t>::max()
                 : std::numeric_limits<std::int64_t>::min();
}

}  // namespace

std::string postnetSymbols(std::string_view data, bool check, std::vector<Note>& notes) {
    std::string symbols = "1";
    int sum = 0;
    LeftOut leftOut;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const int v = findEntry(kDigits, data.substr(i, 1));
        if (v < 0) {
            leftOut.add(i, data[i]);
            continue;
        }
        sum = (sum + v) % 10;
        symbols += kDigits[static_cast<std::size_t>(v)].pattern;
    }
    leftOut.report(notes, "POSTNET");
    if (check) symbols += kDigits[static_cast<std::size_t>((10 - sum) % 10)].pattern;
    return symbols + "1";
}

void drawPostnetBars(EncoderContext& ctx, std::string_view symbols) {
    const std::int64_t top = ctx.props.TopMargin;
    const std::int64_t tall = ctx.props.postnetHeightTallBar;
    const std::int64_t shortBar = ctx.props.postnetHeightShortBar;
    const std::int64_t extra = ctx.props.extraHeight;
    const std::int64_t step = ctx.narrowWidth() + ctx.wideWidth();
    for (const char s : symbols) {
        const std::int64_t x = ctx.sink.x();
        if (s == '1')
            ctx.sink.fillRectangle(x, top, ctx.narrowWidth(), tall + extra);
        else if (s == '0')
            ctx.sink.fillRectangle(x, top + tall - shortBar, ctx.narrowWidth(), shortBar + extra);
        ctx.sink.setX(saturatingAdd(x, step));
    }
}

void encodePostnet(EncoderContext& ctx) {
    drawPostnetBars(ctx, postnetSymbols(ctx.props.Code, ctx.props.checkCharacter, ctx.notes));
}

}  // namespace qv::barcode1d
