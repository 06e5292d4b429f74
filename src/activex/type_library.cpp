#include "type_library.h"

#include <array>

#include "control_classes.h"
#include "server_state.h"

namespace qv::activex {
namespace {

HRESULT loadInterface(REFIID iid, InterfaceInfo* info) {
    ITypeLib* library = nullptr;
    HRESULT hr = loadTypeLibrary(&library);
    if (FAILED(hr)) return hr;
    hr = library->GetTypeInfoOfGuid(iid, &info->dispatch);
    library->Release();
    if (FAILED(hr)) return hr;
    // A dual interface's dispatch description refers to its vtable description as type -1.
    HREFTYPE ref = 0;
    hr = info->dispatch->GetRefTypeOfImplType(-1, &ref);
    if (SUCCEEDED(hr)) hr = info->dispatch->GetRefTypeInfo(ref, &info->vtable);
    if (FAILED(hr)) {
        info->dispatch->Release();
        info->dispatch = nullptr;
    }
    return hr;
}

struct Slot {
    InterfaceInfo info;
    HRESULT result = E_PENDING;
};

}  // namespace

HRESULT loadTypeLibrary(ITypeLib** library) {
    if (library == nullptr) return E_POINTER;
    *library = nullptr;
    const std::wstring path = modulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
}

HRESULT interfaceInfo(REFIID iid, InterfaceInfo* info) {
    // One slot per control class; the objects of a class all run in apartments of their own
    // threads, so the first load is serialised.
    static std::array<Slot, 4> slots;
    static SRWLOCK lock = SRWLOCK_INIT;
    const auto classes = controlClasses();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (!IsEqualIID(*classes[i].iid, iid)) continue;
        AcquireSRWLockExclusive(&lock);
        if (slots[i].result == E_PENDING || FAILED(slots[i].result)) {
            slots[i].result = loadInterface(iid, &slots[i].info);
        }
        const HRESULT hr = slots[i].result;
        if (SUCCEEDED(hr)) *info = slots[i].info;
        ReleaseSRWLockExclusive(&lock);
        return hr;
    }
    return E_NOINTERFACE;
}

}  // namespace qv::activex
