#include "quorvantix/verify.h"

#include "verify/expectation.h"

#if QV_HAVE_ZXING
#define ZX_USE_UTF8 1
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>
#endif

#include <vector>

namespace qv {
namespace {

// Bytes for people: printable ASCII as it is, the rest as ~ddd (the tilde escapes).
std::string shown(const std::string& bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b < 0x7F && b != '~') {
            out += ch;
        } else {
            const std::string code = std::to_string(b);
            out += '~' + std::string(3 - code.size(), '0') + code;
        }
    }
    return out;
}

#if QV_HAVE_ZXING
ZXing::BarcodeFormat formatOf(verify::Symbology s) {
    using F = ZXing::BarcodeFormat;
    switch (s) {
        case verify::Symbology::Code39:
            return F::Code39;
        case verify::Symbology::Code93:
            return F::Code93;
        case verify::Symbology::Code128:
            return F::Code128;
        case verify::Symbology::Codabar:
            return F::Codabar;
        case verify::Symbology::Itf:
            return F::ITF;
        case verify::Symbology::Ean13:
            return F::EAN13;
        case verify::Symbology::Ean8:
            return F::EAN8;
        case verify::Symbology::UpcA:
            return F::UPCA;
        case verify::Symbology::UpcE:
            return F::UPCE;
        case verify::Symbology::DataMatrix:
            return F::DataMatrix;
        case verify::Symbology::Pdf417:
            return F::PDF417;
        case verify::Symbology::MaxiCode:
            return F::MaxiCode;
    }
    return F::None;
}

ZXing::Result readBack(const Bitmap& bitmap, const verify::Expectation& e) {
    std::vector<std::uint8_t> lum(static_cast<std::size_t>(bitmap.width()) *
                                  static_cast<std::size_t>(bitmap.height()));
    const auto px = bitmap.pixels();
    for (std::size_t i = 0; i < lum.size(); ++i) {
        const std::uint32_t c = px[i];
        const unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        lum[i] = static_cast<std::uint8_t>((r * 306 + g * 601 + b * 117 + 512) >> 10);
    }
    const ZXing::ImageView view(lum.data(), bitmap.width(), bitmap.height(),
                                ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(formatOf(e.symbology));
    hints.setTryHarder(true);
    hints.setTryDownscale(false);  // the reader aborts on some downscaled Code 128 images
    hints.setTryRotate(true);
    hints.setIsPure(e.symbology == verify::Symbology::MaxiCode);
    hints.setTryCode39ExtendedMode(e.code39Extended);
    hints.setValidateCode39CheckSum(e.code39CheckSum);
    hints.setEanAddOnSymbol(e.addOn.empty() ? ZXing::EanAddOnSymbol::Ignore
                                            : ZXing::EanAddOnSymbol::Require);
    return ZXing::ReadBarcode(view, hints);
}
#endif

}  // namespace

bool canVerify() {
    return QV_HAVE_ZXING != 0;
}

Verification verifySymbol(const Control& control, const Bitmap& bitmap) {
    Verification v;
    std::string why;
    const auto expected = verify::expectationOf(control, &why);
    if (!expected) {
        v.message = "not verified: " + why;
        return v;
    }
    v.expected = expected->data;
    if (!expected->addOn.empty()) v.expected += " " + expected->addOn;
#if QV_HAVE_ZXING
    const ZXing::Result result = readBack(bitmap, *expected);
    v.outcome = Verification::Outcome::Failed;
    if (!result.isValid()) {
        v.message = "verification failed: the symbol does not read back (expected \"" +
                    shown(v.expected) + "\")";
        return v;
    }
    const auto& bytes = result.bytes();
    v.read.assign(bytes.begin(), bytes.end());
    if (!expected->addOn.empty()) {
        // The reader gives the add-on after the main digits, set off by a space.
        v.read = result.text();
    }
    bool same = v.read == v.expected;
    if (same && expected->segment >= 0) {
        same = result.sequenceIndex() == expected->segment &&
               result.sequenceSize() == expected->segments &&
               (expected->fileId.empty() || result.sequenceId() == expected->fileId);
        if (!same)
            v.read += " (segment " + std::to_string(result.sequenceIndex() + 1) + " of " +
                      std::to_string(result.sequenceSize()) + ", file ID " + result.sequenceId() +
                      ")";
    }
    if (!same) {
        v.message = "verification failed: read \"" + shown(v.read) + "\" instead of \"" +
                    shown(v.expected) + "\"";
        return v;
    }
    v.outcome = Verification::Outcome::Passed;
    v.message = "verified: read back as \"" + shown(v.read) + "\"";
#else
    (void)bitmap;
    v.message = "not verified: this build has no reader";
#endif
    return v;
}

}  // namespace qv
