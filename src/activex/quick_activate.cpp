// IOleControl and IQuickActivate: what a container asks of a control when it sites it.
#include "ole_control.h"

namespace qv::activex {

HRESULT OleControl::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) return E_POINTER;
    info->cb = sizeof *info;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT OleControl::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (container == nullptr || control == nullptr) return E_POINTER;
    if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL)) {
        return E_INVALIDARG;
    }
    SetClientSite(container->pClientSite);
    if (container->pAdviseSink != nullptr) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    control->dwMiscStatus = kMiscStatus;
    control->dwViewStatus = VIEWSTATUS_OPAQUE;
    control->dwEventCookie = 0;
    control->dwPropNotifyCookie = 0;
    control->dwPointerActivationPolicy = 0;
    if (container->pUnkEventSink != nullptr) {
        events_.Advise(container->pUnkEventSink, &control->dwEventCookie);
    }
    return S_OK;
}

HRESULT OleControl::SetContentExtent(SIZEL* size) {
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT OleControl::GetContentExtent(SIZEL* size) {
    return GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace qv::activex
