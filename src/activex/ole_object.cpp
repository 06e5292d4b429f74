// IOleObject: the client site, verbs, extent in HIMETRIC and the advise holder.
#include "com_ptr.h"
#include "ole_control.h"

namespace qv::activex {
namespace {

constexpr LONG kHimetricPerInch = 2540;

int screenPixelsPerInch(int index) {
    HDC screen = GetDC(nullptr);
    const int ppi = screen != nullptr ? GetDeviceCaps(screen, index) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

LONG toHimetric(std::int32_t pixels, int index) {
    return MulDiv(pixels, kHimetricPerInch, screenPixelsPerInch(index));
}
std::int32_t toPixels(LONG himetric, int index) {
    return MulDiv(himetric, screenPixelsPerInch(index), kHimetricPerInch);
}

}  // namespace

HRESULT OleControl::SetClientSite(IOleClientSite* site) {
    keep(site_, site);
    return S_OK;
}

HRESULT OleControl::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) return E_POINTER;
    *site = site_;
    if (site_ != nullptr) site_->AddRef();
    return S_OK;
}

HRESULT OleControl::Close(DWORD) {
    InPlaceDeactivate();
    return S_OK;
}

HRESULT OleControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT OleControl::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT OleControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data != nullptr) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT OleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                           LPCRECT position) {
    IOleClientSite* activeSite = site != nullptr ? site : site_;
    switch (verb) {
        case OLEIVERB_UIACTIVATE: {
            const HRESULT hr = activateInPlace(activeSite, parent, position);
            return FAILED(hr) ? hr : activateUI();
        }
        case OLEIVERB_PRIMARY: {
            // UI activation where the container offers it; in place at least.
            const HRESULT hr = activateInPlace(activeSite, parent, position);
            if (SUCCEEDED(hr)) activateUI();
            return hr;
        }
        case OLEIVERB_SHOW:
        case OLEIVERB_OPEN:
        case OLEIVERB_INPLACEACTIVATE:
            return activateInPlace(activeSite, parent, position);
        case OLEIVERB_HIDE:
            UIDeactivate();
            if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
            return S_OK;
        case OLEIVERB_DISCARDUNDOSTATE:
            return S_OK;
        default:
            return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

HRESULT OleControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs == nullptr) return E_POINTER;
    *verbs = nullptr;
    return OleRegEnumVerbs(*oleClass().clsid, verbs);
}

HRESULT OleControl::GetUserType(DWORD form, LPOLESTR* name) {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    return OleRegGetUserType(*oleClass().clsid, form, name);
}

HRESULT OleControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
    hosted().Width = toPixels(size->cx, LOGPIXELSX);
    hosted().Height = toPixels(size->cy, LOGPIXELSY);
    return S_OK;
}

HRESULT OleControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    size->cx = toHimetric(hosted().Width, LOGPIXELSX);
    size->cy = toHimetric(hosted().Height, LOGPIXELSY);
    return S_OK;
}

HRESULT OleControl::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (cookie == nullptr) return E_POINTER;
    *cookie = 0;
    if (adviseHolder_ == nullptr) {
        const HRESULT hr = CreateOleAdviseHolder(&adviseHolder_);
        if (FAILED(hr)) return hr;
    }
    return adviseHolder_->Advise(sink, cookie);
}

HRESULT OleControl::Unadvise(DWORD cookie) {
    if (adviseHolder_ == nullptr) return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(cookie);
}

HRESULT OleControl::EnumAdvise(IEnumSTATDATA** e) {
    if (e == nullptr) return E_POINTER;
    *e = nullptr;
    if (adviseHolder_ == nullptr) return E_FAIL;
    return adviseHolder_->EnumAdvise(e);
}

HRESULT OleControl::GetMiscStatus(DWORD, DWORD* status) {
    if (status == nullptr) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
}

}  // namespace qv::activex
