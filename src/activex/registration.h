// Registry entries of the server: the type library and the four control classes.
#pragma once

#include <windows.h>

namespace qv::activex {

HRESULT registerServer();
// Removes everything registerServer wrote; entries already missing are not an error.
HRESULT unregisterServer();

}  // namespace qv::activex
