// The exported entry points of the in-process server: the four of every server, and DllInstall
// for registering for one user ("regsvr32 /n /i:user").
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
    return qv::activex::registerServer(qv::activex::Scope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return qv::activex::unregisterServer(qv::activex::Scope::Machine);
}

// "user" (any case) registers below HKEY_CURRENT_USER; no text, for all users.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    using qv::activex::Scope;
    Scope scope = Scope::Machine;
    if (commandLine != nullptr && *commandLine != L'\0') {
        if (CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) != CSTR_EQUAL) {
            return E_INVALIDARG;
        }
        scope = Scope::User;
    }
    return install ? qv::activex::registerServer(scope) : qv::activex::unregisterServer(scope);
}
