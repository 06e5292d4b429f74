// IPersistStreamInit, IPersistPropertyBag and IPersistStorage: the control in documents.
#include <memory>
#include <string>

#include "document_io.h"
#include "ole_control.h"
#include "persistence/saved_stream.h"
#include "safe_call.h"

namespace qv::activex {
namespace {

constexpr wchar_t kContentsStream[] = L"Contents";

}  // namespace

template <class Body>
HRESULT OleControl::guardedOle(REFIID iid, Body&& body) {
    const std::wstring source = L"Quorvantix." + std::wstring(oleClass().name);
    return safeCall(iid, source, std::forward<Body>(body));
}

std::string OleControl::savedState() {
    return persistence::savedBytes(hosted());
}

void OleControl::markClean() {
    cleanState_ = savedState();
}

// Before any save or load, a control is clean while it holds the constructor's values.
bool OleControl::clean() {
    return savedState() == (cleanState_ ? *cleanState_ : persistence::savedBytes(*freshControl()));
}

HRESULT OleControl::IsDirty() {
    return guardedOle(IID_IPersistStreamInit, [&] { return clean() ? S_FALSE : S_OK; });
}

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
        painted_ = false;
        markClean();
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

HRESULT OleControl::Save(IStream* stream, BOOL clearDirty) {
    if (stream == nullptr) return E_POINTER;
    return guardedOle(IID_IPersistStreamInit, [&] {
        saveToStream(hosted(), stream);
        if (clearDirty) markClean();
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
HRESULT OleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (bag == nullptr) return E_POINTER;
    return guardedOle(IID_IPersistPropertyBag, [&] {
        saveToBag(hosted(), bag);
        if (clearDirty) markClean();
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

}  // namespace qv::activex
