// The hosting object's identity: the interfaces it answers for and what it holds of a container.
#include "ole_control.h"

#include "com_ptr.h"

namespace qv::activex {

OleControl::OleControl() : events_(*this) {}

OleControl::~OleControl() {
    destroyWindow();
    release(frame_);
    release(document_);
    release(inPlaceSite_);
    release(site_);
    release(adviseHolder_);
    release(viewSink_);
}

HRESULT OleControl::queryOle(REFIID iid, void** object) {
    void* p = nullptr;
    if (IsEqualIID(iid, IID_IOleObject)) {
        p = static_cast<IOleObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject)) {
        p = static_cast<IOleInPlaceObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
        p = static_cast<IOleInPlaceActiveObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleControl)) {
        p = static_cast<IOleControl*>(this);
    } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
        p = static_cast<IViewObject2*>(this);
    } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
        p = static_cast<IPersistStreamInit*>(this);
    } else if (IsEqualIID(iid, IID_IPersistPropertyBag)) {
        p = static_cast<IPersistPropertyBag*>(this);
    } else if (IsEqualIID(iid, IID_IPersistStorage)) {
        p = static_cast<IPersistStorage*>(this);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2)) {
        p = static_cast<IProvideClassInfo2*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        p = static_cast<IConnectionPointContainer*>(this);
    } else if (IsEqualIID(iid, IID_IQuickActivate)) {
        p = static_cast<IQuickActivate*>(this);
    } else {
        return E_NOINTERFACE;
    }
    identity()->AddRef();
    *object = p;
    return S_OK;
}

}  // namespace qv::activex
