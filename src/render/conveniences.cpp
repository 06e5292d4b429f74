#include "render/conveniences.h"

#include <algorithm>

#include "quorvantix/barcode1d.h"
#include "quorvantix/host.h"
#include "quorvantix/pdf417.h"

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

void upceConveniences(Control& control, const NameSet& userSet) {
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
