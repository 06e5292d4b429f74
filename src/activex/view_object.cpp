// IViewObject2: drawing onto a container's device context.
#include <algorithm>
#include <exception>

#include "canvas_gdi/gdi_canvas.h"
#include "canvas_gdi/gdi_paint.h"
#include "com_ptr.h"
#include "device_scaling.h"
#include "ole_control.h"

namespace qv::activex {

struct DeviceBounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool vector = false;         // a metafile or a printer
    bool sameAsLogical = false;  // device pixels are the DC's logical units
};

namespace {

bool isVectorDevice(HDC dc) {
    const DWORD type = GetObjectType(dc);
    if (type == OBJ_ENHMETADC || type == OBJ_METADC) return true;
    const int technology = GetDeviceCaps(dc, TECHNOLOGY);
    return technology == DT_RASPRINTER || technology == DT_PLOTTER;
}

DeviceBounds deviceBounds(HDC dc, const RECT& logical) {
    DeviceBounds d;
    d.vector = isVectorDevice(dc);
    POINT corners[2] = {{logical.left, logical.top}, {logical.right, logical.bottom}};
    // Old-style metafiles have no mapping of their own: their units are the device's.
    if (GetObjectType(dc) != OBJ_METADC) LPtoDP(dc, corners, 2);
    d.left = std::min(corners[0].x, corners[1].x);
    d.top = std::min(corners[0].y, corners[1].y);
    d.width = std::max(corners[0].x, corners[1].x) - d.left;
    d.height = std::max(corners[0].y, corners[1].y) - d.top;
    d.sameAsLogical = d.left == logical.left && d.top == logical.top &&
                      d.width == logical.right - logical.left &&
                      d.height == logical.bottom - logical.top;
    return d;
}

std::int32_t widthOf(const RECT& r) {
    return r.right - r.left;
}
std::int32_t heightOf(const RECT& r) {
    return r.bottom - r.top;
}

}  // namespace

// Printers and metafiles are drawn with vector records, so that they draw at their own
// resolution; raster devices through a bitmap at the device's size.
bool OleControl::paintOnDevice(HDC dc, const DeviceBounds& device) {
    const std::int32_t width = hosted().Width;
    const std::int32_t height = hosted().Height;
    const double factor = width > 0 && height > 0
                              ? std::min(static_cast<double>(device.width) / width,
                                         static_cast<double>(device.height) / height)
                              : 1.0;
    const int saved = SaveDC(dc);
    if (saved == 0) return false;
    // Device pixels from here on, with the origin at the bounds.
    SetMapMode(dc, MM_TEXT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, device.left, device.top, nullptr);
    const bool painted = paintKeepingClean([&](Control& c) {
        try {
            const DeviceScaling scaling(c, factor);
            if (!device.vector) return gdi::paintControl(c, dc, 0, 0, device.width, device.height);
            IntersectClipRect(dc, 0, 0, device.width, device.height);
            gdi::GdiCanvas canvas(dc, Rect{0, 0, device.width, device.height});
            c.paintBarcode(canvas);
            return true;
        } catch (const std::exception&) {
            return false;  // a container's drawing never sees an exception
        }
    });
    RestoreDC(dc, saved);
    return painted;
}

template <class Paint>
bool OleControl::paintKeepingClean(Paint&& paint) {
    const bool wasClean = clean();
    beforePaint(!painted_);
    painted_ = true;
    const bool painted = paint(hosted());
    if (wasClean) markClean();
    return painted;
}

bool OleControl::paintHosted(HDC dc, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height) {
    return paintKeepingClean(
        [&](Control& c) { return gdi::paintControl(c, dc, x, y, width, height); });
}

HRESULT OleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                         LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (dc == nullptr) return E_INVALIDARG;
    RECT r{0, 0, hosted().Width, hosted().Height};
    if (bounds != nullptr) r = RECT{bounds->left, bounds->top, bounds->right, bounds->bottom};
    if (widthOf(r) <= 0 || heightOf(r) <= 0) return S_OK;  // nothing to cover
    const DeviceBounds device = deviceBounds(dc, r);
    if (!device.vector && device.width == hosted().Width && device.height == hosted().Height &&
        device.sameAsLogical) {
        return paintHosted(dc, r.left, r.top, widthOf(r), heightOf(r)) ? S_OK : E_FAIL;
    }
    return paintOnDevice(dc, device) ? S_OK : E_FAIL;
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

}  // namespace qv::activex
