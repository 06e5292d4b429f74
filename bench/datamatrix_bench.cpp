// Data Matrix of 100 characters, in ASCII and in automatic encodation, four pixels per module.
#include <zint.h>

#include <memory>

#include "bench_common.h"
#include "quorvantix/datamatrix.h"

namespace qvbench {
namespace {

constexpr std::int32_t kModule = 4;
constexpr std::int32_t kMargin = 0;  // zint draws no quiet zone by default

void registerSymbol(const std::string& name, qv::TEncoding encoding, const std::string& data) {
    auto control = std::make_shared<qv::TDatamatrix>();
    control->Code = data;
    control->Encoding = encoding;
    control->PixelsDot = kModule;
    control->Margin = kMargin;
    control->buildSymbol();
    const Image image{2 * kMargin + control->symbolColumns() * kModule,
                      2 * kMargin + control->symbolRows() * kModule};
    registerOurs({name, control, [control] { control->buildSymbol(); },
                  [control] { control->rebuild = true; }, image});
    // The peers have one encodation mode: their automatic one.
    registerZint(
        {.name = name, .symbology = BARCODE_DATAMATRIX, .data = data, .scale = kModule / 2.0F});
    registerZxing({.name = name,
                   .format = ZXing::BarcodeFormat::DataMatrix,
                   .data = std::wstring(data.begin(), data.end()),
                   .image = image});
}

}  // namespace

void registerDatamatrix() {
    const std::string data =
        cycled("Quorvantix Data Matrix 2026-12-07, shipment #4471/lot 93; ", 100);
    registerSymbol("dm_ascii_100", qv::TEncoding::E_ASCII, data);
    registerSymbol("dm_auto_100", qv::TEncoding::E_AUTO, data);
}

}  // namespace qvbench
