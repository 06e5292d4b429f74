#include "render/conveniences.h"

#include <algorithm>
#include <cstdint>

#include "quorvantix/barcode1d.h"
#include "quorvantix/host.h"
#include "quorvantix/pdf417.h"
#include "quorvantix/render.h"

namespace qv::render {

namespace {

bool allDigits(std::string_view s) {
    return std::ranges::all_of(s, [](char c) { return c >= '0' && c <= '9'; });
}

// The UPC-A number (11 digits, without its check digit) that six UPC-E digits stand for.
std::string upcANumber(char numberSystem, std::string_view d) {
    std::string n(1, numberSystem);
    switch (d[5]) {
        case '0':
        case '1':
        case '2':
            return n.append(d.substr(0, 2)).append(1, d[5]).append("0000").append(d.substr(2, 3));
        case '3':
            return n.append(d.substr(0, 3)).append("00000").append(d.substr(3, 2));
        case '4':
            return n.append(d.substr(0, 4)).append("00000").append(1, d[4]);
        default:
            return n.append(d.substr(0, 5)).append("0000").append(1, d[5]);
    }
}

}  // namespace

// AUTO: the Code 128 set that draws all of the data in the shortest symbol (B when none does;
// EAN-128 chooses its sets itself).
void code128Auto(Control& control) {
    auto& linear = static_cast<TBarcode1D&>(control);
    if (!sameIgnoringCase(linear.Code128Set, "AUTO")) return;
    std::string best = "B";
    if (linear.barType == TSymbology::CODE128) {
        // A trial paint keeps the bar height it computes; the real paint computes its own.
        const std::int32_t barHeight = linear.BarHeightPixels;
        std::int64_t shortest = INT64_MAX;
        for (const char* set : {"C", "B", "A"}) {
            linear.Code128Set = set;
            const auto size = fitImageSize(control, FitMargins{}, nullptr);
            linear.BarHeightPixels = barHeight;
            // A set that leaves out, pads or cuts anything does not draw the data.
            if (size && control.notes().empty() && size->width < shortest) {
                shortest = size->width;
                best = set;
            }
        }
    }
    linear.Code128Set = best;
}

void linearConveniences(Control& control, const NameSet& userSet) {
    code128Auto(control);
    // Text in the colour of the bars when only the bars were given one: white on black would
    // otherwise hide black text.
    auto& linear = static_cast<TBarcode1D&>(control);
    if (userSet.contains("BarColor") && linear.Font && linear.Font->color == Font{}.color)
        linear.Font->color = linear.BarColor;
    const auto type = readPropertyValue(control, "barType");
    const auto code = readPropertyValue(control, "Code");
    if (!type || !code || *type != PropertyValue{static_cast<std::int32_t>(TSymbology::UPCE)})
        return;
    const auto* data = std::get_if<std::string>(&*code);
    if (!data) return;
    // The forms people write: the six digits, with the number system before them, and with the
    // check digit after.
    std::string number = *data;
    if (number.size() >= 6 && number.size() <= 8 && allDigits(number)) {
        const bool system = number.size() >= 7;
        const char ns = system ? number[0] : '0';
        if (ns == '0' || ns == '1') {
            const std::string_view six = std::string_view(number).substr(system ? 1 : 0, 6);
            number = upcANumber(ns, six) + (number.size() == 8 ? number.substr(7) : "");
            writePropertyValue(control, "Code", number);
        }
    }
    if (userSet.contains("UPCESytem")) return;
    writePropertyValue(control, "UPCESytem", std::string(number.starts_with('1') ? "1" : "0"));
}

void rebuildSymbol(Control& control, const NameSet&) {
    writePropertyValue(control, "rebuild", true);
}

std::int32_t recommendedEcLevel(std::int64_t dataCodewords) {
    return dataCodewords <= 40 ? 2 : dataCodewords <= 160 ? 3 : dataCodewords <= 320 ? 4 : 5;
}

void pdf417Conveniences(Control& control, const NameSet& userSet) {
    if (userSet.contains("PDFECLevel")) return;
    auto& pdf = static_cast<TPDF417&>(control);
    // A prepared Macro PDF417 sequence was split for the level it had then.
    if (pdf.PDFMacroSegmentCount >= 0) return;
    const auto n = static_cast<std::int64_t>(pdf.Code.size());
    // Data codewords of each compaction, with its latch and the length descriptor.
    std::int64_t codewords = 2;
    switch (pdf.PDFMode) {
        case pdf417::TEncoding::PDF_TEXT:
            codewords += (n + 1) / 2;
            break;
        case pdf417::TEncoding::PDF_NUMERIC:
            codewords += n / 44 * 15 + (n % 44 == 0 ? 0 : n % 44 / 3 + 1);
            break;
        default:
            codewords += n / 6 * 5 + n % 6;
            break;
    }
    std::int32_t level = recommendedEcLevel(codewords);
    // Rows limited by PDFMaxRows (as Macro PDF417 segments are): error correction takes at most
    // half of what they hold.
    const std::int64_t capacity =
        std::int64_t{std::clamp(pdf.PDFColumns, 1, 30)} * std::clamp(pdf.PDFMaxRows, 0, 90);
    while (capacity > 0 && level > 0 && (std::int64_t{2} << level) > capacity / 2) --level;
    pdf.PDFECLevel = level;
}

int prepareMacroPdf(Control& control) {
    auto& pdf = static_cast<TPDF417&>(control);
    pdf.resetMacroPDF();
    pdf.prepareMacroPDF();
    return pdf.PDFMacroSegmentCount;
}

void selectMacroPdfSegment(Control& control, int segment) {
    writePropertyValue(control, "PDFMacroSegment", std::int32_t{segment});
}

}  // namespace qv::render
