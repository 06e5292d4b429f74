#define ZX_USE_UTF8 1
#include "symbol_reading.h"

#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <algorithm>

#include "pdf417/codeword_patterns.h"

namespace qv::test {

std::vector<std::string> recordedRows(const std::vector<DrawCall>& calls, std::int32_t left,
                                      std::int32_t top, std::int32_t moduleWidth,
                                      std::int32_t rowHeight) {
    std::vector<std::string> rows;
    bool background = true;
    for (const auto& c : calls) {
        if (c.kind != DrawCall::Kind::Polygon) continue;
        if (background) {  // the first polygon fills the clip rectangle
            background = false;
            continue;
        }
        const auto row = static_cast<std::size_t>((c.points[0].y - top) / rowHeight);
        const auto from = static_cast<std::size_t>((c.points[0].x - left) / moduleWidth);
        const auto to = static_cast<std::size_t>((c.points[1].x - left + 1) / moduleWidth);
        if (rows.size() <= row) rows.resize(row + 1);
        if (rows[row].size() < to) rows[row].resize(to, '0');
        std::fill(rows[row].begin() + static_cast<long>(from),
                  rows[row].begin() + static_cast<long>(to), '1');
    }
    return rows;
}

std::int32_t codewordOf(const std::string& modules, std::int32_t row) {
    if (modules.size() != 17) return -1;
    const auto value = static_cast<std::uint32_t>(std::stoul(modules, nullptr, 2));
    const auto& table = pdf417::kCodewordPatterns[static_cast<std::size_t>(row % 3)];
    const auto it = std::find(table.begin(), table.end(), value);
    return it == table.end() ? -1 : static_cast<std::int32_t>(it - table.begin());
}

PdfRead readPdf417(const Bitmap& bitmap) {
    std::vector<std::uint8_t> lum(static_cast<std::size_t>(bitmap.width()) *
                                  static_cast<std::size_t>(bitmap.height()));
    const auto px = bitmap.pixels();
    for (std::size_t i = 0; i < lum.size(); ++i) lum[i] = (px[i] & 0xFF) > 127 ? 255 : 0;
    ZXing::ImageView view(lum.data(), bitmap.width(), bitmap.height(), ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setTryDownscale(false);
    hints.setTryHarder(true);
    hints.setTryRotate(false);
    const auto result = ZXing::ReadBarcode(view, hints);
    PdfRead read;
    read.ok = result.isValid();
    if (!read.ok) return read;
    const auto& bytes = result.bytes();
    read.bytes.assign(bytes.begin(), bytes.end());
    read.index = result.sequenceIndex();
    read.count = result.sequenceSize();
    read.fileId = result.sequenceId();
    return read;
}

PdfRead paintAndRead(TPDF417& control) {
    const std::int64_t columns =
        control.PDFColumns >= 1 && control.PDFColumns <= 30 ? control.PDFColumns : 1;
    const std::int64_t width =
        control.LeftMargin * 2 + (17 * (columns + 4) + 1) * control.BarWidthPixels;
    control.Width = static_cast<std::int32_t>(std::max<std::int64_t>(width, 60));
    control.Height = control.TopMargin * 2 + 90 * std::max(control.BarHeightPixels, 6);
    Bitmap bitmap(control.Width, control.Height);
    control.paintBarcode(bitmap.canvas());
    return readPdf417(bitmap);
}

}  // namespace qv::test
