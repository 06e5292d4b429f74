// The four controls sited in a container's window: in-place activation, the control window's
// paint, drawing through IViewObject2, class information, the event connection point, and the
// module unloadable once everything is released.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "Quorvantix_TLB.h"
#include "canvas_gdi/gdi_canvas.h"
#include "check.h"
#include "com_helpers.h"
#include "dispatch_settings.h"
#include "pixel_compare.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/raster.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

struct ClassOf {
    std::string_view control;
    const CLSID* clsid;
    const IID* events;
};

const ClassOf kClasses[] = {
    {"TBarcode1D", &CLSID_Barcode1DX, &DIID_IBarcode1DXEvents},
    {"TDatamatrix", &CLSID_DatamatrixX, &DIID_IDatamatrixXEvents},
    {"TPDF417", &CLSID_PDF417X, &DIID_IPDF417XEvents},
    {"TMaxicode", &CLSID_MaxicodeX, &DIID_IMaxicodeXEvents},
};

const ClassOf& classOf(std::string_view control) {
    for (const ClassOf& c : kClasses) {
        if (c.control == control) return c;
    }
    return kClasses[0];
}

// The container's side of one site: a window of its own, and the client and in-place sites.
class Site final : public IOleClientSite, public IOleInPlaceSite {
  public:
    explicit Site(HWND window) : window_(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
            *object = static_cast<IOleClientSite*>(this);
        } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
            *object = static_cast<IOleInPlaceSite*>(this);
        } else {
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override {
        *m = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* w) override {
        *w = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        ++activations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT pos, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO) override {
        *frame = nullptr;
        *doc = nullptr;
        *pos = rect;
        *clip = rect;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        ++deactivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    RECT rect{0, 0, 200, 200};
    int activations = 0;
    int deactivations = 0;

  private:
    HWND window_;
};

// An event sink of the container: counts every call it receives.
class EventSink final : public IDispatch {
  public:
    explicit EventSink(const IID& events) : events_(events) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
            !IsEqualIID(iid, events_)) {
            return E_NOINTERFACE;
        }
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        ++calls;
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        ++calls;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        ++calls;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        ++calls;
        return S_OK;
    }
    int calls = 0;
    ULONG refs = 1;

  private:
    const IID& events_;
};

HWND createHost(std::int32_t width, std::int32_t height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QvTestHost";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        registered = RegisterClassW(&wc) != 0;
    }
    HWND host = CreateWindowExW(0, L"QvTestHost", L"host", WS_POPUP | WS_VISIBLE, 0, 0, width + 40,
                                height + 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(host);
    return host;
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The window's client area as 0x00RRGGBB pixels.
std::vector<std::uint32_t> windowPixels(HWND window, std::int32_t width, std::int32_t height) {
    gdi::DibSection dib(width, height);
    HDC dc = GetDC(window);
    BitBlt(dib.dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    GdiFlush();
    return {dib.pixels(), dib.pixels() + std::size_t(width) * height};
}

bool create(const ClassOf& cls, Ref<IDispatch>& object) {
    return SUCCEEDED(CoCreateInstance(*cls.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                      object.outVoid()));
}

// Sited, activated and painted by the container: the window shows what the paint handler shows.
void sitedCase(const DrawingCase& c, const std::string& folder) {
    const std::string name(c.name);
    Reference reference;
    if (!readReference(folder + "/" + name + ".window.ref", &reference)) {
        QV_CHECK(false, name + " window reference");
        return;
    }
    const ClassOf& cls = classOf(c.control);
    Ref<IDispatch> object;
    std::string error;
    QV_CHECK(create(cls, object) && applySettings(object.get(), c, &error), name + error);
    Ref<IOleObject> ole;
    if (!object || FAILED(object->QueryInterface(IID_IOleObject, ole.outVoid()))) {
        QV_CHECK(false, name + " IOleObject");
        return;
    }
    SIZEL extent{};
    QV_CHECK_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK, name);
    HDC screen = GetDC(nullptr);
    const LONG perInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    QV_CHECK_EQ(extent.cx, MulDiv(200, 2540, perInch), name + " 200 pixels wide when created");

    HWND host = createHost(c.width, c.height);
    Site site(host);
    site.rect = RECT{0, 0, c.width, c.height};
    QV_CHECK_EQ(ole->SetClientSite(&site), S_OK, name);
    QV_CHECK_EQ(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, host, &site.rect), S_OK,
                name + " activation");
    Ref<IOleInPlaceObject> inPlace;
    object->QueryInterface(IID_IOleInPlaceObject, inPlace.outVoid());
    HWND window = nullptr;
    QV_CHECK(inPlace && SUCCEEDED(inPlace->GetWindow(&window)) && IsWindow(window),
             name + " window");
    if (window != nullptr) {
        RECT client{};
        GetClientRect(window, &client);
        QV_CHECK(GetParent(window) == host && client.right == c.width && client.bottom == c.height,
                 name + " window in the site at the container's size");
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        pumpMessages();
        const auto pixels = windowPixels(window, c.width, c.height);
        checkSamePixels(name + " window", reference, pixels.data(), {});
        // Visible and Enabled are the window's.
        for (const bool on : {false, true}) {
            Variant v;
            v.vt = VT_BOOL;
            v.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
            putProperty(object.get(), idOfName(object.get(), L"Visible"), v);
            putProperty(object.get(), idOfName(object.get(), L"Enabled"), v);
            QV_CHECK(!IsWindowVisible(window) == !on && !IsWindowEnabled(window) == !on,
                     name + " Visible and Enabled " + std::to_string(on));
        }
        // Resized by the container: the control takes the window's size.
        MoveWindow(window, 0, 0, c.width + 7, c.height + 3, TRUE);
        SIZEL resized{};
        ole->GetExtent(DVASPECT_CONTENT, &resized);
        QV_CHECK_EQ(resized.cx, MulDiv(c.width + 7, 2540, perInch), name + " resized");
        MoveWindow(window, 0, 0, c.width, c.height, TRUE);
    }
    // Through the view interface onto a memory DC, at an offset: the same pixels.
    Ref<IViewObject2> view;
    object->QueryInterface(IID_IViewObject2, view.outVoid());
    QV_CHECK(view, name + " IViewObject2");
    if (view) {
        gdi::DibSection dib(c.width + 10, c.height + 10);
        const RECTL bounds{10, 10, c.width + 10, c.height + 10};
        QV_CHECK_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dib.dc(), &bounds,
                               nullptr, nullptr, 0),
                    S_OK, name + " Draw");
        GdiFlush();
        std::vector<std::uint32_t> drawn;
        for (std::int32_t y = 10; y < c.height + 10; ++y) {
            drawn.insert(drawn.end(), dib.pixels() + y * (c.width + 10) + 10,
                         dib.pixels() + y * (c.width + 10) + 10 + c.width);
        }
        checkSamePixels(name + " Draw", reference, drawn.data(), {});
        SIZEL size{};
        QV_CHECK_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &size), S_OK, name);
        QV_CHECK_EQ(size.cx, MulDiv(c.width, 2540, perInch), name + " extent after resize");
    }
    if (inPlace) QV_CHECK_EQ(inPlace->InPlaceDeactivate(), S_OK, name);
    QV_CHECK(window == nullptr || !IsWindow(window), name + " window destroyed");
    QV_CHECK(site.activations == 1 && site.deactivations == 1, name + " site told");
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    DestroyWindow(host);
}

// The road of one request: written through IBarcode1DX, no paint of its own, then a paint the
// container causes; the results read through the interface.
void oneRequest() {
    Ref<IBarcode1DX> bar;
    QV_CHECK_EQ(CoCreateInstance(CLSID_Barcode1DX, nullptr, CLSCTX_INPROC_SERVER, IID_IBarcode1DX,
                                 bar.outVoid()),
                S_OK, "IBarcode1DX");
    if (!bar) return;
    HWND host = createHost(200, 200);
    Site site(host);
    Ref<IOleObject> ole;
    bar->QueryInterface(IID_IOleObject, ole.outVoid());
    ole->SetClientSite(&site);
    QV_CHECK_EQ(ole->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, host, &site.rect), S_OK, "show");
    pumpMessages();
    QV_CHECK_EQ(bar->put_barType(EAN13), S_OK, "barType");
    BSTR code = SysAllocString(L"590123412345");
    QV_CHECK_EQ(bar->put_Code(code), S_OK, "Code");
    SysFreeString(code);
    pumpMessages();
    BSTR text = nullptr;
    bar->get_codeText(&text);
    QV_CHECK(text == nullptr || SysStringLen(text) == 0 || std::wstring(text) != L"5901234123457",
             "no paint of its own");
    SysFreeString(text);
    RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pumpMessages();
    text = nullptr;
    QV_CHECK_EQ(bar->get_codeText(&text), S_OK, "codeText");
    QV_CHECK_EQ(narrow(text != nullptr ? text : L""), "5901234123457", "codeText after the paint");
    SysFreeString(text);
    // The nominal length the native control gives for the same request.
    TBarcode1D native;
    native.barType = qv::TSymbology::EAN13;
    native.Code = "590123412345";
    Bitmap bitmap(200, 200);
    native.paint(bitmap.canvas());
    LONG length = 0;
    QV_CHECK_EQ(bar->get_L(&length), S_OK, "L");
    QV_CHECK(length > 0, "L set by the paint");
    QV_CHECK_EQ(length, native.L, "L");
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    DestroyWindow(host);
}

// Class information, the event point (advised, never called) and quick activation.
void eventsAndClassInfo() {
    for (const ClassOf& cls : kClasses) {
        const std::string name(cls.control);
        Ref<IDispatch> object;
        if (!create(cls, object)) {
            QV_CHECK(false, name);
            continue;
        }
        Ref<IProvideClassInfo2> info;
        object->QueryInterface(IID_IProvideClassInfo2, info.outVoid());
        GUID events{};
        QV_CHECK(info && info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events) == S_OK &&
                     IsEqualGUID(events, *cls.events),
                 name + " source interface");
        Ref<ITypeInfo> classInfo;
        TYPEATTR* attr = nullptr;
        QV_CHECK(info && info->GetClassInfo(classInfo.out()) == S_OK &&
                     classInfo->GetTypeAttr(&attr) == S_OK && IsEqualGUID(attr->guid, *cls.clsid),
                 name + " class information");
        if (attr != nullptr) classInfo->ReleaseTypeAttr(attr);

        EventSink sink(*cls.events);
        Ref<IConnectionPointContainer> points;
        Ref<IConnectionPoint> point;
        object->QueryInterface(IID_IConnectionPointContainer, points.outVoid());
        QV_CHECK(points && points->FindConnectionPoint(*cls.events, point.out()) == S_OK,
                 name + " connection point");
        QV_CHECK(points && points->FindConnectionPoint(IID_IPropertyNotifySink, point.out()) ==
                               CONNECT_E_NOCONNECTION,
                 name + " no other point");
        // The enumeration holds the same single point.
        Ref<IEnumConnectionPoints> all;
        Ref<IConnectionPoint> listed;
        ULONG fetched = 0;
        IID listedIid{};
        QV_CHECK(points && points->EnumConnectionPoints(all.out()) == S_OK &&
                     all->Next(1, listed.out(), &fetched) == S_OK && fetched == 1 &&
                     listed->GetConnectionInterface(&listedIid) == S_OK &&
                     IsEqualIID(listedIid, *cls.events) &&
                     all->Next(1, point.out(), &fetched) == S_FALSE && fetched == 0,
                 name + " enumerated points");
        points->FindConnectionPoint(*cls.events, point.out());
        DWORD cookie = 0;
        QV_CHECK(point && point->Advise(&sink, &cookie) == S_OK && cookie != 0, name + " advise");

        Ref<IQuickActivate> quick;
        object->QueryInterface(IID_IQuickActivate, quick.outVoid());
        QACONTAINER container{};
        container.cbSize = sizeof container;
        container.pUnkEventSink = &sink;
        QACONTROL control{};
        control.cbSize = sizeof control;
        QV_CHECK(quick && quick->QuickActivate(&container, &control) == S_OK &&
                     control.dwEventCookie != 0 && control.dwMiscStatus == 0x20191,
                 name + " quick activation");
        // Work that could raise events: a property write and a drawing.
        VARIANT_BOOL no = VARIANT_FALSE;
        Variant v;
        v.vt = VT_BOOL;
        v.boolVal = no;
        putProperty(object.get(), idOfName(object.get(), L"Visible"), v);
        Ref<IViewObject2> view;
        object->QueryInterface(IID_IViewObject2, view.outVoid());
        gdi::DibSection dib(50, 50);
        const RECTL bounds{0, 0, 50, 50};
        if (view) {
            view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dib.dc(), &bounds, nullptr,
                       nullptr, 0);
        }
        QV_CHECK(point && point->Unadvise(cookie) == S_OK, name + " unadvise");
        QV_CHECK(point && point->Unadvise(cookie) == CONNECT_E_NOCONNECTION, name + " twice");
        point->Unadvise(control.dwEventCookie);
        QV_CHECK_EQ(sink.calls, 0, name + " no event");
        QV_CHECK_EQ(sink.refs, 1u, name + " sink released");
    }
}

}  // namespace

int siteTest(const std::wstring& referenceDir) {
    const std::string folder = narrow(referenceDir);
    for (const DrawingCase& c : kDrawingCases) sitedCase(c, folder);
    oneRequest();
    eventsAndClassInfo();
    uiActivationTests();
    // Everything released: the module may go.
    CoFreeUnusedLibraries();
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    HMODULE module = GetModuleHandleW(L"Quorvantix.dll");
    auto canUnload = module == nullptr ? nullptr
                                       : reinterpret_cast<CanUnload>(reinterpret_cast<void*>(
                                             GetProcAddress(module, "DllCanUnloadNow")));
    QV_CHECK(canUnload == nullptr || canUnload() == S_OK, "DllCanUnloadNow once all is released");
    return failureCount();
}

}  // namespace qv::activex::test
