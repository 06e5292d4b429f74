// TPDF417X: the PDF417 control behind IPDF417X.
#include "Quorvantix_TLB.h"
#include "class_factory.h"
#include "control_object.h"
#include "quorvantix/pdf417.h"

namespace qv::activex {
namespace {

class TPDF417X final : public ControlObject<IPDF417X, TPDF417, ClassIndex::PDF417> {
  public:
    QV_PROPERTY_RW(Code, BSTR)
    QV_PROPERTY_R(PDFMacroSegmentCount, LONG)
    QV_PROPERTY_RW(PDFTruncated, VARIANT_BOOL)
    QV_PROPERTY_RW(PDFMacroFileName, BSTR)
    // Declared as TxEncoding, but carries the compaction number (0 byte, 1 text, 2 numeric).
    QV_PROPERTY_RW(PDFMode, TxEncoding)
    QV_PROPERTY_RW(PDFMacroSegment, LONG)
    QV_PROPERTY_RW(PDFMacroFileId, BSTR)
    QV_PROPERTY_RW(PDFMacroTimeStamp, BSTR)
    QV_PROPERTY_RW(PDFMacroSender, BSTR)
    QV_PROPERTY_RW(PDFMacroAddresse, BSTR)
    QV_PROPERTY_RW(PDFMacroFileSize, LONG)
    QV_PROPERTY_RW(PDFMaxRows, LONG)
    QV_PROPERTY_RW(PDFRows, LONG)
    QV_PROPERTY_RW(PDFColumns, LONG)
    QV_PROPERTY_RW(PDFECLevel, LONG)
    QV_PROPERTY_RW(TopMargin, LONG)
    QV_PROPERTY_RW(LeftMargin, LONG)
    QV_PROPERTY_RW(BarWidthPixels, LONG)
    QV_PROPERTY_RW(BarHeightPixels, LONG)
    QV_PROPERTY_RW(BackColor, OLE_COLOR)
    QV_PROPERTY_RW(BarColor, OLE_COLOR)

    HRESULT STDMETHODCALLTYPE resetMacroPDF() override {
        return call([](TPDF417& c) { c.resetMacroPDF(); });
    }
    HRESULT STDMETHODCALLTYPE prepareMacroPDF() override {
        return call([](TPDF417& c) { c.prepareMacroPDF(); });
    }
};

ClassFactory factory(ClassIndex::PDF417, &createWrapper<TPDF417X>);

}  // namespace
}  // namespace qv::activex
