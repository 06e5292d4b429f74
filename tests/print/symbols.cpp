#include "symbols.h"

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"

namespace qv::test {

std::vector<Sample> samples(bool withText) {
    using F = ZXing::BarcodeFormat;
    auto linear = [withText](TSymbology type, std::string code) {
        return [=]() -> std::unique_ptr<Control> {
            auto c = std::make_unique<TBarcode1D>();
            c->barType = type;
            c->Code = code;
            c->X = 3;
            c->LeftMargin = 30;
            if (!withText) c->Font.reset();
            if (withText) c->Font = Font{"DejaVu Sans", 24};
            return c;
        };
    };
    return {
        {"ean13", linear(TSymbology::EAN13, "590123412345"), F::EAN13, "5901234123457"},
        {"code128", linear(TSymbology::CODE128, "Quorvantix 128"), F::Code128, "Quorvantix 128"},
        {"datamatrix",
         [] {
             auto c = std::make_unique<TDatamatrix>();
             c->Code = "Quorvantix Data Matrix";
             c->Margin = 8;
             return std::unique_ptr<Control>(std::move(c));
         },
         F::DataMatrix, "Quorvantix Data Matrix"},
        {"pdf417",
         [] {
             auto c = std::make_unique<TPDF417>();
             c->Code = "Quorvantix PDF417";
             c->PDFColumns = 4;
             c->BarWidthPixels = 2;
             c->BarHeightPixels = 8;
             c->LeftMargin = c->TopMargin = 8;
             return std::unique_ptr<Control>(std::move(c));
         },
         F::PDF417, "Quorvantix PDF417"},
        {"maxicode",
         [] {
             auto c = std::make_unique<TMaxicode>();
             c->data = "Quorvantix MaxiCode";
             c->LeftMargin = c->TopMargin = 10;
             return std::unique_ptr<Control>(std::move(c));
         },
         F::MaxiCode, "Quorvantix MaxiCode"},
    };
}

}  // namespace qv::test
