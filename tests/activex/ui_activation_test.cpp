// UI activation as form designers and documents drive it: the site told, the frame's and the
// document's active object set and cleared, for the verbs and for a click on the control.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "Quorvantix_TLB.h"
#include "check.h"
#include "com_helpers.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

// What the container's frame and document window were told.
struct Record {
    int uiActivations = 0;
    int uiDeactivations = 0;
    int frameActive = 0;  // SetActiveObject with an object, minus those with none
    int documentActive = 0;
    bool activeIsControl = true;
};

// The frame and the document window of the container: one class, told apart by its role.
class Window final : public IOleInPlaceFrame {
  public:
    Window(HWND window, Record& record, bool frame)
        : window_(window), record_(record), frame_(frame) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
            IsEqualIID(iid, IID_IOleInPlaceUIWindow) ||
            (frame_ && IsEqualIID(iid, IID_IOleInPlaceFrame))) {
            *object = static_cast<IOleInPlaceFrame*>(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* w) override {
        *w = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override {
        (frame_ ? record_.frameActive : record_.documentActive) += active != nullptr ? 1 : -1;
        if (active != nullptr) {
            HWND w = nullptr;
            record_.activeIsControl = record_.activeIsControl && SUCCEEDED(active->GetWindow(&w)) &&
                                      w != nullptr && GetParent(w) == window_;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
    ULONG refs = 1;

  private:
    HWND window_;
    Record& record_;
    bool frame_;
};

class Site final : public IOleClientSite, public IOleInPlaceSite {
  public:
    Site(HWND window, Record& record)
        : window_(window),
          record_(record),
          frame(window, record, true),
          document(window, record, false) {}
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
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override {
        ++record_.uiActivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** d,
                                               LPRECT pos, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO) override {
        frame.AddRef();
        document.AddRef();
        *f = &frame;
        *d = &document;
        *pos = *clip = RECT{0, 0, 120, 80};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override {
        ++record_.uiDeactivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  private:
    HWND window_;
    Record& record_;

  public:
    Window frame;
    Window document;
};

HWND createHost() {
    return CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 120, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// How a container ends the activation; each must leave the frame and document without an
// active object and the site told once.
enum class Ending { UIDeactivate, InPlaceDeactivate, Close };

struct ActivationCase {
    const char* name;
    LONG verb;  // 0: activated in place, then clicked
    Ending ending;
};

constexpr ActivationCase kCases[] = {
    {"UI-activate verb, UIDeactivate", OLEIVERB_UIACTIVATE, Ending::UIDeactivate},
    {"primary verb, in-place deactivation", OLEIVERB_PRIMARY, Ending::InPlaceDeactivate},
    {"click, close", 0, Ending::Close},
};

void activation(const ActivationCase& c, const CLSID& clsid) {
    const std::string name = c.name;
    Ref<IOleObject> ole;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                ole.outVoid()))) {
        QV_CHECK(false, name);
        return;
    }
    HWND host = createHost();
    Record record;
    {
        Site site(host, record);
        RECT rect{0, 0, 120, 80};
        ole->SetClientSite(&site);
        if (c.verb != 0) {
            QV_CHECK_EQ(ole->DoVerb(c.verb, nullptr, &site, 0, host, &rect), S_OK, name);
        } else {
            ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, host, &rect);
            QV_CHECK_EQ(record.uiActivations, 0, name + ": in place is not UI-active");
            Ref<IOleInPlaceObject> inPlace;
            ole->QueryInterface(IID_IOleInPlaceObject, inPlace.outVoid());
            HWND window = nullptr;
            if (inPlace) inPlace->GetWindow(&window);
            SendMessageW(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        }
        QV_CHECK_EQ(record.uiActivations, 1, name + ": site told of UI activation");
        QV_CHECK(record.frameActive == 1 && record.documentActive == 1 && record.activeIsControl,
                 name + ": the control is the active object of frame and document");
        // A second activation changes nothing.
        ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, host, &rect);
        QV_CHECK_EQ(record.uiActivations, 1, name + ": once");
        Ref<IOleInPlaceObject> inPlace;
        ole->QueryInterface(IID_IOleInPlaceObject, inPlace.outVoid());
        switch (c.ending) {
            case Ending::UIDeactivate:
                QV_CHECK_EQ(inPlace->UIDeactivate(), S_OK, name);
                break;
            case Ending::InPlaceDeactivate:
                QV_CHECK_EQ(inPlace->InPlaceDeactivate(), S_OK, name);
                break;
            case Ending::Close:
                QV_CHECK_EQ(ole->Close(OLECLOSE_NOSAVE), S_OK, name);
                break;
        }
        inPlace->UIDeactivate();
        QV_CHECK_EQ(record.uiDeactivations, 1, name + ": site told of UI deactivation");
        QV_CHECK(record.frameActive == 0 && record.documentActive == 0,
                 name + ": frame and document without an active object");
        inPlace->InPlaceDeactivate();
        ole->SetClientSite(nullptr);
        QV_CHECK(site.frame.refs == 1 && site.document.refs == 1,
                 name + ": frame and document released");
    }
    DestroyWindow(host);
}

}  // namespace

void uiActivationTests() {
    for (const CLSID* clsid :
         {&CLSID_Barcode1DX, &CLSID_DatamatrixX, &CLSID_PDF417X, &CLSID_MaxicodeX}) {
        for (const ActivationCase& c : kCases) activation(c, *clsid);
    }
}

}  // namespace qv::activex::test
