#include "class_factory.h"

#include <array>
#include <new>

#include "server_state.h"

namespace qv::activex {
namespace {

// Filled by the factories' constructors during static initialisation of the module.
std::array<ClassFactory*, 4> gFactories{};

}  // namespace

ClassFactory::ClassFactory(ClassIndex index, CreateObject create) : index_(index), create_(create) {
    gFactories[static_cast<std::size_t>(index)] = this;
}

ClassFactory* findFactory(REFCLSID clsid) {
    for (ClassFactory* f : gFactories) {
        if (f != nullptr && IsEqualCLSID(*f->controlClass().clsid, clsid)) return f;
    }
    return nullptr;
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

// The factory itself is static; a reference held by a client keeps the module loaded.
ULONG ClassFactory::AddRef() {
    objectCreated();
    return 2;
}

ULONG ClassFactory::Release() {
    objectDestroyed();
    return 1;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return create_(iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    lockServer(lock != FALSE);
    return S_OK;
}

}  // namespace qv::activex
