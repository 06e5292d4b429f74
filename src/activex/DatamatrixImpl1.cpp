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
};

ClassFactory factory(ClassIndex::Datamatrix, &createWrapper<TDatamatrixX>);

}  // namespace
}  // namespace qv::activex
