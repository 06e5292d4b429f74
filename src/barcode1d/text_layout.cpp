#include "barcode1d/text_layout.h"

#include <algorithm>

#include "barcode1d/pixel_math.h"

namespace qv::barcode1d {
namespace {

// Text this far off any surface would only overflow the canvas's arithmetic.
constexpr std::int64_t kTextLimit = std::int64_t{1} << 30;

void textAt(Canvas& canvas, std::int64_t x, std::int64_t y, std::string_view text) {
    if (x < -kTextLimit || x > kTextLimit || y < -kTextLimit || y > kTextLimit) return;
    canvas.textOut(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), text);
}

// Text of width w centred in a..b, never left of a.
std::int64_t centre(std::int64_t a, std::int64_t b, std::int64_t w) {
    return a + std::max<std::int64_t>(0, (b - a - w) / 2);
}

// Draws text centred in a..b at row y.
void centred(Canvas& canvas, std::int64_t a, std::int64_t b, std::int64_t y,
             std::string_view text) {
    textAt(canvas, centre(a, b, canvas.textWidth(text)), y, text);
}

bool isEanUpc(TSymbology t) {
    return t == TSymbology::UPCA || t == TSymbology::EAN13 || t == TSymbology::EAN8 ||
           t == TSymbology::UPCE;
}

}  // namespace

void layoutText(Canvas& canvas, const Barcode1DProperties& p, const LayoutMarks& m) {
    const std::int64_t h = p.Font ? p.Font->height : canvas.font.height;
    const std::int64_t top = p.TopMargin;
    const std::int64_t y0 = top + p.BarHeightPixels + 1;
    const std::string_view text = p.codeText;
    const std::size_t len = text.size();

    if ((p.UPCEANSupplement2 || p.UPCEANSupplement5) && isEanUpc(p.barType))
        centred(canvas, m.supplementStart, m.supplementEnd, top + m.supplementTop - 2 - h,
                p.codeSup);

    auto leftOfSymbol = [&](std::string_view c) {
        textAt(canvas, std::int64_t{p.LeftMargin} - canvas.textWidth("0"), y0, c);
    };
    const bool g = p.guardBars;
    if (p.barType == TSymbology::POSTNET) {
        centred(canvas, p.LeftMargin, m.symbolEnd, top + p.postnetHeightTallBar + h + 1, text);
    } else if (p.barType == TSymbology::EAN13 && g && len >= 13) {
        leftOfSymbol(text.substr(0, 1));
        centred(canvas, m.leftDataStart, m.centreGuardStart, y0, text.substr(1, 6));
        centred(canvas, m.rightDataStart, m.rightGuardStart, y0, text.substr(7, 6));
    } else if (p.barType == TSymbology::UPCA && g && len >= 12) {
        leftOfSymbol(text.substr(0, 1));
        centred(canvas, m.leftDataStart, m.centreGuardStart, y0, text.substr(1, 5));
        centred(canvas, m.rightDataStart, m.rightGuardStart, y0, text.substr(6, 5));
        textAt(canvas, m.symbolEnd + 3, y0, text.substr(11, 1));
    } else if (p.barType == TSymbology::EAN8 && g && len >= 8) {
        centred(canvas, m.leftDataStart, m.centreGuardStart, y0, text.substr(0, 4));
        centred(canvas, m.rightDataStart, m.rightGuardStart, y0, text.substr(4, 4));
    } else if (p.barType == TSymbology::UPCE && g) {
        // The number system digit comes from the data as the host set it.
        leftOfSymbol(std::string_view(p.Code).substr(0, 1));
        centred(canvas, m.leftDataStart, m.rightGuardStart, y0, text);
    } else {
        const std::int64_t y = p.textOnTop ? top - h / 2 - h : top + p.BarHeightPixels + h / 2;
        centred(canvas, p.LeftMargin, m.symbolEnd, y, text);
    }
}

}  // namespace qv::barcode1d
