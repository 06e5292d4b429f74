#define ZX_USE_UTF8 1
#include "decode.h"

#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <vector>

namespace qv::test {

Decoded decode(const Bitmap& bitmap, ZXing::BarcodeFormats formats, DecodeOptions options) {
    std::vector<std::uint8_t> lum(static_cast<std::size_t>(bitmap.width()) *
                                  static_cast<std::size_t>(bitmap.height()));
    auto px = bitmap.pixels();
    for (std::size_t i = 0; i < lum.size(); ++i) {
        const std::uint32_t c = px[i];
        const unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        lum[i] = static_cast<std::uint8_t>((r * 306 + g * 601 + b * 117 + 512) >> 10);
    }
    ZXing::ImageView view(lum.data(), bitmap.width(), bitmap.height(), ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(formats);
    // Downscaling makes the reader abort on some Code 128 images; our images are small anyway.
    hints.setTryDownscale(false);
    hints.setTryHarder(true);
    hints.setTryRotate(options.rotated);
    hints.setIsPure(options.pure);
    hints.setTryCode39ExtendedMode(options.code39Extended);
    hints.setValidateCode39CheckSum(options.code39CheckSum);
    hints.setEanAddOnSymbol(options.readAddOn ? ZXing::EanAddOnSymbol::Read
                                              : ZXing::EanAddOnSymbol::Ignore);
    const auto result = ZXing::ReadBarcode(view, hints);
    Decoded d;
    d.ok = result.isValid();
    if (!d.ok) return d;
    d.format = ZXing::ToString(result.format());
    const auto& bytes = result.bytes();
    d.bytes.assign(bytes.begin(), bytes.end());
    d.text = result.text();
    d.symbologyIdentifier = result.symbologyIdentifier();
    if (options.readAddOn) {
        // The reader appends the add-on to the text after a space.
        const auto space = d.text.find(' ');
        if (space != std::string::npos) {
            d.addOn = d.text.substr(space + 1);
            d.text.resize(space);
        }
    }
    return d;
}

}  // namespace qv::test
