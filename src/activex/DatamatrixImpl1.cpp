// TDatamatrixX: the Data Matrix control behind IDatamatrixX.
#include "Quorvantix_TLB.h"
#include "class_factory.h"
#include "control_object.h"
#include "quorvantix/datamatrix.h"

namespace qv::activex {
namespace {

class TDatamatrixX final : public ControlObject<IDatamatrixX, TDatamatrix, ClassIndex::Datamatrix> {
  public:
    QV_PROPERTY_RW(PixelsDot, LONG)
    QV_PROPERTY_RW(Code, BSTR)
    QV_PROPERTY_RW(rebuild, VARIANT_BOOL)
    QV_PROPERTY_R(CurrentX, LONG)
    QV_PROPERTY_R(CurrentY, LONG)
    QV_PROPERTY_RW(Margin, LONG)
    QV_PROPERTY_RW(ProcessTilde, VARIANT_BOOL)
    QV_PROPERTY_RW(PreferredFormat, TxFormat)
    QV_PROPERTY_RW(Encoding, TxEncoding)
    QV_PROPERTY_RW(BackColor, OLE_COLOR)
    QV_PROPERTY_RW(BarColor, OLE_COLOR)
    QV_PROPERTY_R(CalculatedFormat, TxFormat)

  protected:
    // A document saved after a paint holds rebuild = false, so a control loaded from it would
    // show only its background until the host wrote rebuild again: one that has never built a
    // symbol builds one at its first paint.
    void beforePaint(bool first) override {
        if (first && control().symbolRows() == 0) control().rebuild = true;
    }
};

ClassFactory factory(ClassIndex::Datamatrix, &createWrapper<TDatamatrixX>);

}  // namespace
}  // namespace qv::activex
