// The type library embedded in the module (resource 1): the single source of the names, DISPIDs
// and signatures that IDispatch serves.
#pragma once

#include <windows.h>

namespace qv::activex {

// A new reference to the library, loaded from the module without registering it.
HRESULT loadTypeLibrary(ITypeLib** library);
// The description of a dual interface: its dispatch side (for GetTypeInfo and names) and its
// vtable side (for Invoke). Loaded once per interface and kept for the life of the module.
struct InterfaceInfo {
    ITypeInfo* dispatch = nullptr;
    ITypeInfo* vtable = nullptr;
};
HRESULT interfaceInfo(REFIID iid, InterfaceInfo* info);

}  // namespace qv::activex
