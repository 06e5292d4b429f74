// IOleWindow, IOleInPlaceObject and IOleInPlaceActiveObject: in-place activation in a site.
#include "com_ptr.h"
#include "control_window.h"
#include "ole_control.h"

namespace qv::activex {
namespace {

std::int32_t widthOf(const RECT& r) {
    return r.right - r.left;
}
std::int32_t heightOf(const RECT& r) {
    return r.bottom - r.top;
}

}  // namespace

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
    if (FAILED(inPlace->GetWindowContext(&frame, &document, &pos, &clip, &frameInfo))) {
        frame = nullptr;
        document = nullptr;
    }
    if (position != nullptr) pos = *position;
    // The window starts at the control's size (200 x 200 when new); the container's rectangle
    // follows through SetObjectRects, as when it resizes the control later.
    window_ = createControlWindow(*this, host, pos, hosted().Width, hosted().Height);
    if (window_ == nullptr) {
        const DWORD error = GetLastError();
        release(frame);
        release(document);
        inPlace->OnInPlaceDeactivate();
        inPlace->Release();
        return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    inPlaceSite_ = inPlace;
    frame_ = frame;  // the references GetWindowContext gave, kept until deactivation
    document_ = document;
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

HRESULT OleControl::activateUI() {
    if (inPlaceSite_ == nullptr) return E_UNEXPECTED;
    if (uiActive_) {
        if (window_ != nullptr && GetFocus() != window_) SetFocus(window_);
        return S_OK;
    }
    const HRESULT hr = inPlaceSite_->OnUIActivate();
    if (FAILED(hr)) return hr;
    uiActive_ = true;
    if (window_ != nullptr) SetFocus(window_);
    // No menus or tool space of its own: the frame and document keep their borders.
    auto* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (frame_ != nullptr) {
        frame_->SetActiveObject(active, nullptr);
        frame_->SetBorderSpace(nullptr);
    }
    if (document_ != nullptr) {
        document_->SetActiveObject(active, nullptr);
        document_->SetBorderSpace(nullptr);
    }
    return S_OK;
}

HRESULT OleControl::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (frame_ != nullptr) frame_->SetActiveObject(nullptr, nullptr);
    if (document_ != nullptr) document_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_ != nullptr) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT OleControl::InPlaceDeactivate() {
    if (window_ == nullptr && inPlaceSite_ == nullptr) return S_OK;
    UIDeactivate();
    release(frame_);
    release(document_);
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

}  // namespace qv::activex
