// PDF417: values outside the ranges the symbology has, and a hint when the rows do not fit.
#include "quorvantix/pdf417.h"
#include "render/refusals.h"

namespace qv::render {

void refusePdf417(const Control& control, std::vector<Note>& notes) {
    const auto& pdf = static_cast<const TPDF417&>(control);
    const auto outside = [&](std::string_view name, std::int32_t value, int low, int high) {
        if (value >= low && value <= high) return;
        notes.push_back({Note::Severity::Warning, std::string(name) + "=" + std::to_string(value) +
                                                      " is outside " + std::to_string(low) +
                                                      " to " + std::to_string(high)});
    };
    outside("PDFColumns", pdf.PDFColumns, 1, 30);
    outside("PDFECLevel", pdf.PDFECLevel, 0, 8);
    for (const auto& note : pdf.notes()) {
        if (note.text.starts_with("Configuration not posible")) {
            const bool columnsOff = pdf.PDFColumns < 1 || pdf.PDFColumns > 30;
            notes.push_back({Note::Severity::Error,
                             columnsOff
                                 ? "no symbol has that many columns: PDFColumns takes 1 to 30"
                                 : "the data does not fit these rows and columns: give "
                                   "more PDFColumns, a higher PDFMaxRows, or split it "
                                   "with --macro"});
            return;
        }
    }
}

}  // namespace qv::render
