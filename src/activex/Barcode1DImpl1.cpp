// TBarcode1DX: the linear barcode control behind IBarcode1DX.
#include "Quorvantix_TLB.h"
#include "class_factory.h"
#include "control_object.h"
#include "font_adapter.h"
#include "quorvantix/barcode1d.h"

namespace qv::activex {
namespace {

class TBarcode1DX final : public ControlObject<IBarcode1DX, TBarcode1D, ClassIndex::Barcode1D> {
  public:
    QV_PROPERTY_RW(Code, BSTR)
    QV_PROPERTY_RW(ProcessTilde, VARIANT_BOOL)
    QV_PROPERTY_RW(TopMargin, LONG)
    QV_PROPERTY_RW(LeftMargin, LONG)
    QV_PROPERTY_RW(BarHeightPixels, LONG)
    QV_PROPERTY_RW(BackColor, OLE_COLOR)
    QV_PROPERTY_RW(BarColor, OLE_COLOR)
    QV_PROPERTY_RW(textOnTop, VARIANT_BOOL)
    QV_PROPERTY_RW(barType, TxSymbology)
    QV_PROPERTY_RW(codeSup, BSTR)
    QV_PROPERTY_RW(checkCharacter, VARIANT_BOOL)
    QV_PROPERTY_RW(postnetHeightTallBar, LONG)
    QV_PROPERTY_RW(postnetHeightShortBar, LONG)
    QV_PROPERTY_RW(supplement, BSTR)
    QV_PROPERTY_RW(guardBars, VARIANT_BOOL)
    QV_PROPERTY_RW(codeText, BSTR)
    QV_PROPERTY_RW(extraHeight, LONG)
    QV_PROPERTY_RW(UPCESytem, BSTR)
    QV_PROPERTY_RW(CODABARStartChar, BSTR)
    QV_PROPERTY_RW(CODABARStopChar, BSTR)
    QV_PROPERTY_RW(UPCEANSupplement2, VARIANT_BOOL)
    QV_PROPERTY_RW(UPCEANSupplement5, VARIANT_BOOL)
    QV_PROPERTY_RW(Code128Set, BSTR)
    QV_PROPERTY_RW(X, LONG)
    QV_PROPERTY_RW(N, LONG)
    QV_PROPERTY_RW(I, LONG)
    QV_PROPERTY_RW(H, double)
    QV_PROPERTY_RW(L, LONG)
    QV_PROPERTY_RW(supSeparation, LONG)
    QV_PROPERTY_RW(supHeight, double)

    // The font travels as an OLE font object; no font assigned reads as a null object, and
    // writing a null object removes the font (no text is drawn then).
    HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** value) override {
        if (value == nullptr) return E_POINTER;
        *value = nullptr;
        return guarded([&] {
            const std::optional<Font> font = readFontProperty(control(), "Font");
            if (font) *value = createOleFont(*font);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_Font(IFontDisp* value) override { return assignFont(value); }
    HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp* value) override { return assignFont(value); }

  private:
    HRESULT assignFont(IFontDisp* value) {
        return guarded([&] {
            std::optional<Font> font;
            if (value != nullptr) {
                font = fontFromOle(value, readFontProperty(control(), "Font").value_or(Font{}));
            }
            writeFontProperty(control(), "Font", std::move(font));
            return S_OK;
        });
    }
};

ClassFactory factory(ClassIndex::Barcode1D, &createWrapper<TBarcode1DX>);

}  // namespace
}  // namespace qv::activex
