#define ZX_USE_UTF8 1
#include "read_symbol.h"

#include <ZXing/Content.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <vector>

namespace qv::test {

std::unique_ptr<Bitmap> renderSymbol(TDatamatrix& dm) {
    dm.PixelsDot = 3;
    dm.Margin = 12;
    if (dm.rebuild) dm.buildSymbol();
    auto bitmap = std::make_unique<Bitmap>(2 * dm.Margin + dm.symbolColumns() * dm.PixelsDot + 1,
                                           2 * dm.Margin + dm.symbolRows() * dm.PixelsDot + 1);
    // The background fill outlines the canvas in its current pen; white keeps the quiet zone.
    bitmap->canvas().pen.color = 0xFFFFFF;
    dm.paintBarcode(bitmap->canvas());
    return bitmap;
}

DatamatrixRead readSymbol(const Bitmap& bitmap) {
    std::vector<std::uint8_t> lum(bitmap.pixels().size());
    for (std::size_t i = 0; i < lum.size(); ++i) lum[i] = (bitmap.pixels()[i] & 0xFF) ? 255 : 0;
    ZXing::ImageView view(lum.data(), bitmap.width(), bitmap.height(), ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::DataMatrix);
    hints.setTryDownscale(false);
    hints.setTryRotate(false);
    hints.setIsPure(true);
    auto r = ZXing::ReadBarcode(view, hints);
    if (!r.isValid()) {
        // The pure-image path of zxing-cpp 1.4 misses some 8 x 32 symbols; the detector finds them.
        hints.setIsPure(false);
        hints.setTryHarder(true);
        r = ZXing::ReadBarcode(view, hints);
    }
    DatamatrixRead d;
    d.ok = r.isValid();
    if (!d.ok) return d;
    d.bytes.assign(r.bytes().begin(), r.bytes().end());
    const auto eci = r.bytesECI();
    d.bytesEci.assign(eci.begin(), eci.end());
    d.symbologyId = r.symbologyIdentifier();
    d.contentType = ZXing::ToString(r.contentType());
    d.hasEci = r.hasECI();
    d.readerInit = r.readerInit();
    d.sequenceIndex = r.sequenceIndex();
    d.sequenceSize = r.sequenceSize();
    d.sequenceId = r.sequenceId();
    return d;
}

}  // namespace qv::test
