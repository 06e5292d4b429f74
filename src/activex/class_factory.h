// One class factory per control class, created at library start-up by the module of its wrapper
// and found by DllGetClassObject.
#pragma once

#include <windows.h>

#include "control_classes.h"

namespace qv::activex {

using CreateObject = HRESULT (*)(REFIID iid, void** object);

class ClassFactory final : public IClassFactory {
  public:
    // Registers itself with the server; lives as long as the module.
    ClassFactory(ClassIndex index, CreateObject create);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    const ControlClass& controlClass() const { return activex::controlClass(index_); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ClassIndex index_;
    CreateObject create_;
};

// The factory registered for the class, or null.
ClassFactory* findFactory(REFCLSID clsid);

// The usual creation of a wrapper: new object, QueryInterface, Release of the creation reference.
template <class Wrapper>
HRESULT createWrapper(REFIID iid, void** object) {
    Wrapper* wrapper = new (std::nothrow) Wrapper();
    if (wrapper == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = wrapper->QueryInterface(iid, object);
    wrapper->Release();
    return hr;
}

}  // namespace qv::activex
