// TMaxicodeX: the MaxiCode control behind IMaxicodeX.
#include "Quorvantix_TLB.h"
#include "class_factory.h"
#include "control_object.h"
#include "quorvantix/maxicode.h"

namespace qv::activex {
namespace {

class TMaxicodeX final : public ControlObject<IMaxicodeX, TMaxicode, ClassIndex::Maxicode> {
  public:
    // L and resolution recompute the hexagon grid, whether written or set by the methods.
    HRESULT STDMETHODCALLTYPE setL(double value) override {
        return call([value](TMaxicode& c) { c.setL(value); });
    }
    HRESULT STDMETHODCALLTYPE setResolution(LONG value) override {
        return call([value](TMaxicode& c) { c.setResolution(value); });
    }
    QV_PROPERTY_RW(offsetX, LONG)
    HRESULT STDMETHODCALLTYPE get_L(double* value) override { return read("L", value); }
    HRESULT STDMETHODCALLTYPE put_L(double value) override { return setL(value); }
    QV_PROPERTY_RW(offsetY, LONG)
    QV_PROPERTY_RW(TopMargin, LONG)
    QV_PROPERTY_RW(LeftMargin, LONG)
    QV_PROPERTY_RW(BackColor, OLE_COLOR)
    QV_PROPERTY_RW(BarColor, OLE_COLOR)
    QV_PROPERTY_RW(zipCode, BSTR)
    QV_PROPERTY_RW(serviceClass, BSTR)
    QV_PROPERTY_RW(country, BSTR)
    QV_PROPERTY_RW(data, BSTR)
    QV_PROPERTY_RW(mode, LONG)
    QV_PROPERTY_RW(numberOfCodes, LONG)
    QV_PROPERTY_RW(positionOfCode, LONG)
    QV_PROPERTY_RW(ProcessTilde, VARIANT_BOOL)  // the control's processTilde
    QV_PROPERTY_RW(WHexagon, LONG)
    QV_PROPERTY_RW(HHexagon, LONG)
    QV_PROPERTY_R(preferredWidth, LONG)
    QV_PROPERTY_R(preferredHeight, LONG)
    HRESULT STDMETHODCALLTYPE get_resolution(LONG* value) override {
        return read("resolution", value);
    }
    HRESULT STDMETHODCALLTYPE put_resolution(LONG value) override { return setResolution(value); }
};

ClassFactory factory(ClassIndex::Maxicode, &createWrapper<TMaxicodeX>);

}  // namespace
}  // namespace qv::activex
