// Registry entries of the server: the type library and the four control classes, for all users
// (HKEY_CLASSES_ROOT, administrators) or for the calling user alone (HKCU\Software\Classes).
// Each bitness writes its own registry view, so the x86 and x64 servers stand side by side.
#pragma once

#include <windows.h>

namespace qv::activex {

enum class Scope { Machine, User };

HRESULT registerServer(Scope scope);
// Removes everything registerServer wrote; entries already missing are not an error.
HRESULT unregisterServer(Scope scope);

}  // namespace qv::activex
