#include "render/refusals.h"

#include "quorvantix/barcode1d.h"
#include "quorvantix/host.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"
#include "render/property_values.h"

namespace qv::render {

void addRefusals(const Control& control, std::vector<Note>& notes) {
    const ControlKind* kind = kindOf(control);
    if (!kind) return;
    if (!kind->moduleSize.empty()) {
        const std::int64_t size = integerProperty(control, kind->moduleSize);
        if (size < 1)
            notes.push_back({Note::Severity::Error, std::string(kind->moduleSize) + " is " +
                                                        std::to_string(size) +
                                                        ": modules of no width cannot be read"});
    }
    if (dynamic_cast<const TBarcode1D*>(&control)) refuseLinear(control, notes);
    if (dynamic_cast<const TMaxicode*>(&control)) refuseMaxicode(control, notes);
    if (dynamic_cast<const TPDF417*>(&control)) refusePdf417(control, notes);
}

}  // namespace qv::render
