#include "ole_control.h"

#include <atomic>
#include <new>
#include <string>
#include <system_error>

#include "canvas_gdi/gdi_paint.h"
#include "document_io.h"
#include "ref_count.h"
#include "safe_call.h"
#include "server_state.h"
#include "type_library.h"

namespace qv::activex {
namespace {

constexpr wchar_t kWindowClass[] = L"QuorvantixControl";
constexpr wchar_t kContentsStream[] = L"Contents";
constexpr LONG kHimetricPerInch = 2540;

template <class T>
void release(T*& p) {
    if (p != nullptr) p->Release();
    p = nullptr;
}

template <class T>
void keep(T*& slot, T* p) {
    if (p != nullptr) p->AddRef();
    release(slot);
    slot = p;
}

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

LRESULT CALLBACK controlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* control = reinterpret_cast<OleControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (control != nullptr && control->window() == window) {
        return control->handleMessage(message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerWindowClass() {
    WNDCLASSW wc{};
    if (GetClassInfoW(moduleInstance(), kWindowClass, &wc)) return true;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = controlWindowProc;
    wc.hInstance = moduleInstance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::int32_t widthOf(const RECT& r) {
    return r.right - r.left;
}
std::int32_t heightOf(const RECT& r) {
    return r.bottom - r.top;
}

// Enumerates the one connection point of a control.
class PointEnumerator final : public IEnumConnectionPoints {
  public:
    PointEnumerator(IConnectionPoint* point, ULONG position) : point_(point), position_(position) {
        point_->AddRef();
    }
    ~PointEnumerator() { point_->Release(); }
    PointEnumerator(const PointEnumerator&) = delete;
    PointEnumerator& operator=(const PointEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IEnumConnectionPoints)) {
            return E_NOINTERFACE;
        }
        *object = static_cast<IEnumConnectionPoints*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points,
                                   ULONG* fetched) override {
        if (points == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
        ULONG n = 0;
        if (count > 0 && position_ == 0) {
            points[0] = point_;
            point_->AddRef();
            position_ = n = 1;
        }
        if (fetched != nullptr) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        if (count == 0) return S_OK;
        const bool skipped = position_ == 0 && count == 1;
        position_ = 1;
        return skipped ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override {
        if (copy == nullptr) return E_POINTER;
        *copy = new (std::nothrow) PointEnumerator(point_, position_);
        return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
    }

  private:
    IConnectionPoint* point_;
    ULONG position_;
    RefCount refs_;
};

}  // namespace

// ---- Event connection point -------------------------------------------------------------------

EventPoint::~EventPoint() {
    for (auto& [cookie, sink] : sinks_) sink->Release();
}

HRESULT EventPoint::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}
// The point lives inside its control; references keep the control alive.
ULONG EventPoint::AddRef() {
    return owner_.identity()->AddRef();
}
ULONG EventPoint::Release() {
    return owner_.identity()->Release();
}

HRESULT EventPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) return E_POINTER;
    *iid = *owner_.oleClass().events;
    return S_OK;
}

HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** c) {
    if (c == nullptr) return E_POINTER;
    *c = static_cast<IConnectionPointContainer*>(&owner_);
    (*c)->AddRef();
    return S_OK;
}

HRESULT EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie == nullptr) return E_POINTER;
    *cookie = 0;
    if (sink == nullptr) return E_POINTER;
    IDispatch* events = nullptr;
    // A sink of the event interface itself, or at least a dispatch object.
    if (FAILED(
            sink->QueryInterface(*owner_.oleClass().events, reinterpret_cast<void**>(&events))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&events)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_[*cookie] = events;
    return S_OK;
}

HRESULT EventPoint::Unadvise(DWORD cookie) {
    const auto it = sinks_.find(cookie);
    if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
    it->second->Release();
    sinks_.erase(it);
    return S_OK;
}

HRESULT EventPoint::EnumConnections(IEnumConnections** e) {
    if (e != nullptr) *e = nullptr;
    return E_NOTIMPL;
}

// ---- The control ------------------------------------------------------------------------------

OleControl::OleControl() : events_(*this) {}

OleControl::~OleControl() {
    destroyWindow();
    release(inPlaceSite_);
    release(site_);
    release(adviseHolder_);
    release(viewSink_);
}

template <class Body>
HRESULT OleControl::guardedOle(REFIID iid, Body&& body) {
    const std::wstring source = L"Quorvantix." + std::wstring(oleClass().name);
    return safeCall(iid, source, std::forward<Body>(body));
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

// ---- IOleObject -------------------------------------------------------------------------------

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
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_OPEN:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return activateInPlace(site != nullptr ? site : site_, parent, position);
        case OLEIVERB_HIDE:
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

// ---- In-place activation and the window -------------------------------------------------------

HRESULT OleControl::activateInPlace(IOleClientSite* site, HWND parent, LPCRECT position) {
    if (window_ != nullptr) {
        applyWindowState(visible_, enabled_);
        return S_OK;
    }
    if (site == nullptr) return E_INVALIDARG;
    IOleInPlaceSite* inPlace = nullptr;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)))) {
        return E_NOINTERFACE;
    }
    if (inPlace->CanInPlaceActivate() != S_OK) {
        inPlace->Release();
        return E_FAIL;
    }
    inPlace->OnInPlaceActivate();
    HWND host = parent;
    if (host == nullptr) inPlace->GetWindow(&host);
    RECT pos{0, 0, hosted().Width, hosted().Height};
    RECT clip = pos;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (SUCCEEDED(inPlace->GetWindowContext(&frame, &document, &pos, &clip, &frameInfo))) {
        release(frame);
        release(document);
    }
    if (position != nullptr) pos = *position;
    // The window starts at the control's size (200 x 200 when new); the container's rectangle
    // follows through SetObjectRects, as when it resizes the control later.
    if (host == nullptr || !registerWindowClass()) {
        inPlace->OnInPlaceDeactivate();
        inPlace->Release();
        return E_FAIL;
    }
    window_ =
        CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, pos.left, pos.top,
                        hosted().Width, hosted().Height, host, nullptr, moduleInstance(), this);
    if (window_ == nullptr) {
        inPlace->OnInPlaceDeactivate();
        inPlace->Release();
        return HRESULT_FROM_WIN32(GetLastError());
    }
    inPlaceSite_ = inPlace;
    SetObjectRects(&pos, &clip);
    applyWindowState(visible_, enabled_);
    return S_OK;
}

void OleControl::applyWindowState(bool visible, bool enabled) {
    visible_ = visible;
    enabled_ = enabled;
    if (window_ == nullptr) return;
    EnableWindow(window_, enabled ? TRUE : FALSE);
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void OleControl::destroyWindow() {
    if (window_ == nullptr) return;
    HWND w = window_;
    window_ = nullptr;
    DestroyWindow(w);
}

HRESULT OleControl::GetWindow(HWND* window) {
    if (window == nullptr) return E_POINTER;
    *window = window_;
    return window_ != nullptr ? S_OK : E_FAIL;
}

HRESULT OleControl::InPlaceDeactivate() {
    if (window_ == nullptr && inPlaceSite_ == nullptr) return S_OK;
    destroyWindow();
    if (inPlaceSite_ != nullptr) inPlaceSite_->OnInPlaceDeactivate();
    release(inPlaceSite_);
    return S_OK;
}

HRESULT OleControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (position == nullptr) return E_POINTER;
    const std::int32_t w = widthOf(*position);
    const std::int32_t h = heightOf(*position);
    if (w < 0 || h < 0) return E_INVALIDARG;
    hosted().Width = w;
    hosted().Height = h;
    if (window_ != nullptr) MoveWindow(window_, position->left, position->top, w, h, TRUE);
    return S_OK;
}

LRESULT OleControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window_, &ps);
            gdi::paintControl(hosted(), dc, 0, 0, hosted().Width, hosted().Height);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole window
        case WM_SIZE:
            // Resized by the container without SetObjectRects: the control follows its window.
            hosted().Width = LOWORD(lParam);
            hosted().Height = HIWORD(lParam);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

// ---- IOleControl ------------------------------------------------------------------------------

HRESULT OleControl::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) return E_POINTER;
    info->cb = sizeof *info;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

// ---- IViewObject2 -----------------------------------------------------------------------------

HRESULT OleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                         LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (dc == nullptr) return E_INVALIDARG;
    RECT r{0, 0, hosted().Width, hosted().Height};
    if (bounds != nullptr) r = RECT{bounds->left, bounds->top, bounds->right, bounds->bottom};
    if (widthOf(r) <= 0 || heightOf(r) <= 0) return S_OK;  // nothing to cover
    return gdi::paintControl(hosted(), dc, r.left, r.top, widthOf(r), heightOf(r)) ? S_OK : E_FAIL;
}

HRESULT OleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** set) {
    if (set == nullptr) return E_POINTER;
    *set = nullptr;
    return S_FALSE;  // no particular palette
}

HRESULT OleControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    keep(viewSink_, sink);
    viewAspects_ = aspects;
    viewFlags_ = flags;
    return S_OK;
}

HRESULT OleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects != nullptr) *aspects = viewAspects_;
    if (flags != nullptr) *flags = viewFlags_;
    if (sink != nullptr) {
        *sink = viewSink_;
        if (viewSink_ != nullptr) viewSink_->AddRef();
    }
    return S_OK;
}

HRESULT OleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, SIZEL* size) {
    return GetExtent(aspect, size);
}

// ---- Persistence ------------------------------------------------------------------------------

HRESULT OleControl::GetClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = *oleClass().clsid;
    return S_OK;
}

template <class Loader>
HRESULT OleControl::loadWith(REFIID iid, Loader&& load) {
    return guardedOle(iid, [&] {
        std::unique_ptr<Control> fresh = freshControl();
        load(*fresh);
        fresh->Width = hosted().Width;  // the size is the container's
        fresh->Height = hosted().Height;
        replaceControl(std::move(fresh));
        return S_OK;
    });
}

HRESULT OleControl::InitNew() {
    return loadWith(IID_IPersistStreamInit, [](Control&) {});
}

HRESULT OleControl::Load(IStream* stream) {
    if (stream == nullptr) return E_POINTER;
    return loadWith(IID_IPersistStreamInit, [&](Control& c) { loadFromStream(c, stream); });
}

HRESULT OleControl::Save(IStream* stream, BOOL) {
    if (stream == nullptr) return E_POINTER;
    return guardedOle(IID_IPersistStreamInit, [&] {
        saveToStream(hosted(), stream);
        return S_OK;
    });
}

HRESULT OleControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) return E_POINTER;
    return guardedOle(IID_IPersistStreamInit, [&] {
        size->QuadPart = streamSizeOf(hosted());
        return S_OK;
    });
}

HRESULT OleControl::Load(IPropertyBag* bag, IErrorLog*) {
    if (bag == nullptr) return E_POINTER;
    return loadWith(IID_IPersistPropertyBag, [&](Control& c) { loadFromBag(c, bag); });
}

// Values at their stored defaults stay out even when asked for all: loading restores them.
HRESULT OleControl::Save(IPropertyBag* bag, BOOL, BOOL) {
    if (bag == nullptr) return E_POINTER;
    return guardedOle(IID_IPersistPropertyBag, [&] {
        saveToBag(hosted(), bag);
        return S_OK;
    });
}

HRESULT OleControl::InitNew(IStorage* storage) {
    if (storage == nullptr) return E_POINTER;
    return InitNew();
}

HRESULT OleControl::Load(IStorage* storage) {
    if (storage == nullptr) return E_POINTER;
    IStream* stream = nullptr;
    HRESULT hr =
        storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
    if (FAILED(hr)) return hr;
    hr = Load(stream);
    stream->Release();
    return hr;
}

HRESULT OleControl::Save(IStorage* storage, BOOL) {
    if (storage == nullptr) return E_POINTER;
    IStream* stream = nullptr;
    HRESULT hr = storage->CreateStream(
        kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
    if (FAILED(hr)) return hr;
    hr = Save(stream, TRUE);
    stream->Release();
    return hr;
}

// ---- Class information and connection points --------------------------------------------------

HRESULT OleControl::GetClassInfo(ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    ITypeLib* library = nullptr;
    HRESULT hr = loadTypeLibrary(&library);
    if (FAILED(hr)) return hr;
    hr = library->GetTypeInfoOfGuid(*oleClass().clsid, info);
    library->Release();
    return hr;
}

HRESULT OleControl::GetGUID(DWORD kind, GUID* guid) {
    if (guid == nullptr) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = *oleClass().events;
    return S_OK;
}

HRESULT OleControl::EnumConnectionPoints(IEnumConnectionPoints** e) {
    if (e == nullptr) return E_POINTER;
    *e = new (std::nothrow) PointEnumerator(&events_, 0);
    return *e != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT OleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (point == nullptr) return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, *oleClass().events)) return CONNECT_E_NOCONNECTION;
    *point = &events_;
    events_.AddRef();
    return S_OK;
}

// ---- IQuickActivate ---------------------------------------------------------------------------

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
