// The built-in controls as hosts know them by name.
#include <algorithm>

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/host.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"
#include "render/conveniences.h"

namespace qv {
namespace {

template <typename T>
std::unique_ptr<Control> make() {
    return std::make_unique<T>();
}

template <typename T>
bool is(const Control& control) {
    return dynamic_cast<const T*>(&control) != nullptr;
}

// Bar heights scale with the bars, and the text with them; margins stay as they are (the quiet
// zone sets margins).
constexpr std::string_view kLinearScaled[] = {
    "X",           "supSeparation",        "BarHeightPixels",
    "extraHeight", "postnetHeightTallBar", "postnetHeightShortBar"};
constexpr std::string_view kDatamatrixScaled[] = {"PixelsDot"};
// A row is a whole number of modules high.
constexpr std::string_view kPdf417Scaled[] = {"BarWidthPixels", "BarHeightPixels"};
// The hexagon size follows the resolution.
constexpr std::string_view kMaxicodeScaled[] = {"resolution"};

constexpr ControlKind kKinds[] = {
    {.name = "barcode1d",
     .summary = "linear symbols: Code 39, Code 93, EAN/UPC, Code 128, 2 of 5, Codabar, ...",
     .create = &make<TBarcode1D>,
     .dataProperty = "Code",
     .typeProperty = "barType",
     .scaled = kLinearScaled,
     .scaledFont = "Font",
     .moduleSize = "X",
     .beforePaint = &render::linearConveniences,
     .isKind = &is<TBarcode1D>},
    {.name = "datamatrix",
     .summary = "Data Matrix ECC 200, square and rectangular sizes",
     .create = &make<TDatamatrix>,
     .dataProperty = "Code",
     .scaled = kDatamatrixScaled,
     .moduleSize = "PixelsDot",
     .beforePaint = &render::rebuildSymbol,
     .isKind = &is<TDatamatrix>},
    {.name = "pdf417",
     .summary = "PDF417, truncated PDF417 and Macro PDF417 (--macro)",
     .create = &make<TPDF417>,
     .dataProperty = "Code",
     .scaled = kPdf417Scaled,
     .moduleSize = "BarWidthPixels",
     .beforePaint = &render::pdf417Conveniences,
     .prepareSegments = &render::prepareMacroPdf,
     .selectSegment = &render::selectMacroPdfSegment,
     .isKind = &is<TPDF417>},
    {.name = "maxicode",
     .summary = "MaxiCode modes 2 to 6, with the postal primary message of modes 2 and 3",
     .create = &make<TMaxicode>,
     .dataProperty = "data",
     .scaled = kMaxicodeScaled,
     .moduleSize = "WHexagon",
     .isKind = &is<TMaxicode>},
};

}  // namespace

std::span<const ControlKind> controlKinds() {
    return kKinds;
}

const ControlKind* findControlKind(std::string_view name) {
    return findControlKind(kKinds, name);
}

const ControlKind* findControlKind(std::span<const ControlKind> kinds, std::string_view name) {
    const auto it = std::ranges::find_if(
        kinds, [&](const ControlKind& k) { return sameIgnoringCase(k.name, name); });
    return it == kinds.end() ? nullptr : &*it;
}

const ControlKind* kindOf(const Control& control) {
    const auto* it =
        std::ranges::find_if(kKinds, [&](const ControlKind& k) { return k.isKind(control); });
    return it == std::end(kKinds) ? nullptr : it;
}

}  // namespace qv
