// The four exported entry points of the in-process server.
#include <windows.h>

#include "class_factory.h"
#include "registration.h"
#include "server_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        qv::activex::setModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    qv::activex::ClassFactory* factory = qv::activex::findFactory(clsid);
    if (factory == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return qv::activex::canUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return qv::activex::registerServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return qv::activex::unregisterServer();
}
