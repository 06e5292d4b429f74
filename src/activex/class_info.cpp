// IProvideClassInfo2: the control class's description in the type library.
#include "ole_control.h"
#include "type_library.h"

namespace qv::activex {

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

}  // namespace qv::activex
