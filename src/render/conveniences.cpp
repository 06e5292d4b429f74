#include "render/conveniences.h"

#include "quorvantix/barcode1d.h"
#include "quorvantix/host.h"
#include "quorvantix/pdf417.h"

namespace qv::render {

void upceSystemFromData(Control& control, const NameSet& userSet) {
    if (userSet.contains("UPCESytem")) return;
    const auto type = readPropertyValue(control, "barType");
    const auto code = readPropertyValue(control, "Code");
    if (!type || !code || *type != PropertyValue{static_cast<std::int32_t>(TSymbology::UPCE)})
        return;
    const auto* data = std::get_if<std::string>(&*code);
    if (!data) return;
    writePropertyValue(control, "UPCESytem", std::string(data->starts_with('1') ? "1" : "0"));
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
