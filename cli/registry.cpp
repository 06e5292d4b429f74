#include "registry.h"

#include <algorithm>

#include "property_setting.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"

namespace qv::cli {
namespace {

template <typename T>
std::unique_ptr<Control> make() {
    return std::make_unique<T>();
}

// UPC-E draws the parity of UPCESytem alone (default "1"), so a number-system-0 number drawn with
// the defaults scans as something else: unless the user chose, follow the data's first digit.
void upceSystemFromData(Control& control, const std::set<std::string, std::less<>>& userSet) {
    if (userSet.contains("UPCESytem")) return;
    const auto type = readProperty(control, "barType");
    const auto code = readProperty(control, "Code");
    if (!type || !code || *type != PropertyValue{static_cast<std::int32_t>(TSymbology::UPCE)})
        return;
    const auto* data = std::get_if<std::string>(&*code);
    if (!data) return;
    writeProperty(control, "UPCESytem", std::string(data->starts_with('1') ? "1" : "0"));
}

// The command always builds the symbol from the data it is given.
void rebuildSymbol(Control& control, const std::set<std::string, std::less<>>&) {
    writeProperty(control, "rebuild", true);
}

int prepareMacroPdf(Control& control) {
    auto& pdf = static_cast<TPDF417&>(control);
    pdf.resetMacroPDF();
    pdf.prepareMacroPDF();
    return pdf.PDFMacroSegmentCount;
}

void selectMacroPdfSegment(Control& control, int segment) {
    writeProperty(control, "PDFMacroSegment", std::int32_t{segment});
}

// Bar heights scale with the bars; margins and text stay as they are (--quiet-zone sets margins).
constexpr std::string_view kLinearScaled[] = {
    "X",           "supSeparation",        "BarHeightPixels",
    "extraHeight", "postnetHeightTallBar", "postnetHeightShortBar"};
constexpr std::string_view kDatamatrixScaled[] = {"PixelsDot"};
// A row is a whole number of modules high.
constexpr std::string_view kPdf417Scaled[] = {"BarWidthPixels", "BarHeightPixels"};
// The hexagon size follows the resolution.
constexpr std::string_view kMaxicodeScaled[] = {"resolution"};

const ControlEntry kControls[] = {
    {.name = "barcode1d",
     .summary = "linear symbols: Code 39, Code 93, EAN/UPC, Code 128, 2 of 5, Codabar, ...",
     .create = &make<TBarcode1D>,
     .dataProperty = "Code",
     .typeProperty = "barType",
     .scaled = kLinearScaled,
     .moduleSize = "X",
     .beforePaint = &upceSystemFromData},
    {.name = "datamatrix",
     .summary = "Data Matrix ECC 200, square and rectangular sizes",
     .create = &make<TDatamatrix>,
     .dataProperty = "Code",
     .scaled = kDatamatrixScaled,
     .moduleSize = "PixelsDot",
     .beforePaint = &rebuildSymbol},
    {.name = "pdf417",
     .summary = "PDF417, truncated PDF417 and Macro PDF417 (--macro)",
     .create = &make<TPDF417>,
     .dataProperty = "Code",
     .scaled = kPdf417Scaled,
     .moduleSize = "BarWidthPixels",
     .prepareSegments = &prepareMacroPdf,
     .selectSegment = &selectMacroPdfSegment},
    {.name = "maxicode",
     .summary = "MaxiCode modes 2 to 6, with the postal primary message of modes 2 and 3",
     .create = &make<TMaxicode>,
     .dataProperty = "data",
     .scaled = kMaxicodeScaled,
     .moduleSize = "WHexagon"},
};

}  // namespace

std::span<const ControlEntry> builtinControls() {
    return kControls;
}

const ControlEntry* findControl(std::span<const ControlEntry> controls, std::string_view name) {
    auto it = std::ranges::find_if(controls, [&](const ControlEntry& c) { return c.name == name; });
    return it == controls.end() ? nullptr : &*it;
}

}  // namespace qv::cli
