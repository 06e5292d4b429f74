// quorvantix-reader.so: zxing-cpp behind the plain C calls of verify/reader_abi.h.
#define ZX_USE_UTF8 1
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <string>

#include "verify/reader_abi.h"

namespace {

ZXing::BarcodeFormat formatOf(std::int32_t symbology) {
    using F = ZXing::BarcodeFormat;
    // The order of qv::verify::Symbology.
    constexpr F kFormats[] = {F::Code39, F::Code93,     F::Code128, F::Codabar,
                              F::ITF,    F::EAN13,      F::EAN8,    F::UPCA,
                              F::UPCE,   F::DataMatrix, F::PDF417,  F::MaxiCode};
    if (symbology < 0 || symbology >= static_cast<std::int32_t>(std::size(kFormats)))
        return F::None;
    return kFormats[symbology];
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t qv_reader_abi() {
    return QV_READER_ABI;
}

extern "C" __attribute__((visibility("default"))) std::int32_t qv_reader_read(
    const QvReadRequest* request, QvReadDelivery deliver, void* context) {
    // Nothing may unwind into the host.
    try {
        const ZXing::ImageView view(request->luminance, request->width, request->height,
                                    ZXing::ImageFormat::Lum);
        ZXing::DecodeHints hints;
        hints.setFormats(formatOf(request->symbology));
        hints.setTryHarder(true);
        hints.setTryDownscale(false);  // the reader aborts on some downscaled Code 128 images
        hints.setTryRotate(true);
        hints.setIsPure(request->pure != 0);
        hints.setTryCode39ExtendedMode(request->code39Extended != 0);
        hints.setValidateCode39CheckSum(request->code39CheckSum != 0);
        hints.setEanAddOnSymbol(request->addOn != 0 ? ZXing::EanAddOnSymbol::Require
                                                    : ZXing::EanAddOnSymbol::Ignore);
        const ZXing::Result result = ZXing::ReadBarcode(view, hints);
        const auto& bytes = result.bytes();
        const std::string text = result.text();
        const std::string id = result.sequenceId();
        const QvReadResult out{.valid = result.isValid() ? 1 : 0,
                               .bytes = reinterpret_cast<const char*>(bytes.data()),
                               .bytesLength = bytes.size(),
                               .text = text.data(),
                               .textLength = text.size(),
                               .sequenceIndex = result.sequenceIndex(),
                               .sequenceSize = result.sequenceSize(),
                               .sequenceId = id.data(),
                               .sequenceIdLength = id.size()};
        deliver(context, &out);
        return 0;
    } catch (...) {
        return -1;
    }
}
