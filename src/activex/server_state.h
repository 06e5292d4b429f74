// Module-wide state of the in-process server: its instance handle and the counts that decide
// whether it may be unloaded.
#pragma once

#include <windows.h>

#include <string>

namespace qv::activex {

HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE instance);
// Full path of Quorvantix.dll.
std::wstring modulePath();

// Live wrapper objects and outstanding factory references.
void objectCreated();
void objectDestroyed();
// IClassFactory::LockServer.
void lockServer(bool lock);
bool canUnload();

}  // namespace qv::activex
