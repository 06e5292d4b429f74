#include "render/quiet_zones.h"

#include <algorithm>

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"

namespace qv::render {
namespace {

struct LinearZone {
    TSymbology symbology;
    std::int32_t left, right;
};

// From the symbology standards (ISO/IEC 15417, 16388, 16390, 15420, ANSI/AIM BC-5, BC-3, ...);
// EAN/UPC leave room for the outer digits and the add-on gap.
constexpr LinearZone kLinearZones[] = {
    {TSymbology::CODE39, 10, 10},
    {TSymbology::CODE39EXT, 10, 10},
    {TSymbology::INTERLEAVED25, 10, 10},
    {TSymbology::CODE11, 10, 10},
    {TSymbology::CODABAR, 10, 10},
    {TSymbology::MSI, 10, 10},
    {TSymbology::UPCA, 9, 9},
    {TSymbology::IND25, 10, 10},
    {TSymbology::MAT25, 10, 10},
    {TSymbology::CODE93, 10, 10},
    {TSymbology::EAN13, 11, 7},
    {TSymbology::EAN8, 7, 7},
    {TSymbology::UPCE, 9, 7},
    {TSymbology::CODE128, 10, 10},
    {TSymbology::CODE93EXT, 10, 10},
    {TSymbology::EAN128, 10, 10},
};

constexpr std::int32_t kDatamatrixZone = 1;
constexpr std::int32_t kPdf417Zone = 2;
constexpr std::int32_t kMaxicodeZone = 1;

constexpr QuietZone around(std::int32_t modules) {
    return {modules, modules, modules, modules};
}

}  // namespace

std::optional<QuietZone> standardQuietZone(const Control& control) {
    if (const auto* linear = dynamic_cast<const TBarcode1D*>(&control)) {
        const auto* it = std::ranges::find(kLinearZones, linear->barType, &LinearZone::symbology);
        if (it == std::end(kLinearZones)) return std::nullopt;
        // Linear symbols need little above and below; the narrower side serves.
        const std::int32_t vertical = std::min(it->left, it->right);
        return QuietZone{it->left, vertical, it->right, vertical};
    }
    if (dynamic_cast<const TDatamatrix*>(&control)) return around(kDatamatrixZone);
    if (dynamic_cast<const TPDF417*>(&control)) return around(kPdf417Zone);
    if (dynamic_cast<const TMaxicode*>(&control)) return around(kMaxicodeZone);
    return std::nullopt;
}

}  // namespace qv::render
