// PDF417 of 200 bytes at error-correction level 2, ten data columns, modules two pixels wide and
// rows six pixels high (zint's three modules at scale 1).
#include <benchmark/benchmark.h>
#include <zint.h>

#include <memory>

#include "bench_common.h"
#include "pdf417/layout.h"
#include "pdf417/patterns.h"
#include "quorvantix/pdf417.h"
#include "quorvantix/raster.h"

namespace qvbench {
namespace {

constexpr std::int32_t kModule = 2;
constexpr std::int32_t kRowHeight = 6;
constexpr std::int32_t kMargin = 0;  // zint draws no quiet zone by default
constexpr std::int32_t kColumns = 10;

}  // namespace

void registerPdf417() {
    // Bytes of every value, in a fixed pseudo-random order, so every peer takes byte compaction.
    std::string data(200, '\0');
    std::uint32_t state = 12345;
    for (char& c : data) {
        state = state * 1103515245U + 12345U;
        c = static_cast<char>((state >> 16) & 0xFF);
    }
    auto control = std::make_shared<qv::TPDF417>();
    control->Code = data;
    control->PDFMode = qv::pdf417::TEncoding::PDF_BINARY;
    control->PDFECLevel = 2;
    control->PDFColumns = kColumns;
    control->BarWidthPixels = kModule;
    control->BarHeightPixels = kRowHeight;
    control->TopMargin = kMargin;
    control->LeftMargin = kMargin;
    qv::Bitmap probe(1, 1);
    control->paintBarcode(probe.canvas());
    // Start, left indicator, data columns, right indicator (17 modules each) and the stop (18).
    const Image image{2 * kMargin + (17 * (kColumns + 3) + 18) * kModule,
                      2 * kMargin + control->rowCount() * kRowHeight + 1};
    auto encodeOnly = [data] {
        const qv::pdf417::Bytes bytes(reinterpret_cast<const std::uint8_t*>(data.data()),
                                      data.size());
        const qv::pdf417::FrameOptions options{2, kColumns, 0, 0};
        const auto symbol =
            qv::pdf417::frameSymbol(qv::pdf417::TEncoding::PDF_BINARY, bytes, 0, {}, 0, options);
        const auto rows = qv::pdf417::symbolRows(symbol.codewords, symbol.rows, symbol.columns,
                                                 symbol.ecLevel, false);
        benchmark::DoNotOptimize(rows.data());
    };
    registerOurs({"pdf417_200", control, encodeOnly, {}, image});
    registerZint({.name = "pdf417_200",
                  .symbology = BARCODE_PDF417,
                  .data = data,
                  .scale = kModule / 2.0F,
                  .option1 = 2,
                  .option2 = kColumns});
    std::wstring wide;
    for (const char c : data) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    registerZxing({.name = "pdf417_200",
                   .format = ZXing::BarcodeFormat::PDF417,
                   .data = wide,
                   .eccLevel = 2,
                   .latin1 = true,
                   .image = image});
}

}  // namespace qvbench
