#include "registration.h"

#include <string>

#include "Quorvantix_TLB.h"
#include "control_classes.h"
#include "registry_key.h"
#include "server_state.h"
#include "type_library.h"

namespace qv::activex {
namespace {

constexpr bool kWin64 = sizeof(void*) == 8;
constexpr SYSKIND kSysKind = kWin64 ? SYS_WIN64 : SYS_WIN32;
constexpr const wchar_t* kSysKindKey = kWin64 ? L"win64" : L"win32";
constexpr const wchar_t* kOtherSysKindKey = kWin64 ? L"win32" : L"win64";
// The marshaller of automation interfaces, as the platform registers dual interfaces.
constexpr const wchar_t* kAutomationProxy = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* kLocaleKey = L"409";  // the library's locale, 1033

std::wstring guidText(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

// The path written as InprocServer32: its short form when it holds a blank, so that hosts
// splitting command lines at blanks still find the module.
std::wstring serverPath() {
    std::wstring path = modulePath();
    if (path.find(L' ') == std::wstring::npos) return path;
    std::wstring shortPath(path.size() + 1, L'\0');
    const DWORD n =
        GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (n == 0 || n >= shortPath.size()) return path;
    shortPath.resize(n);
    return shortPath;
}

struct Entry {
    std::wstring key;
    const wchar_t* name;  // null: the key's default value
    std::wstring value;
};

HRESULT write(const RegistryRoot& root, const Entry& e) {
    const LSTATUS status = root.setValue(e.key, e.name, e.value);
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

std::wstring progId(const ControlClass& c) {
    return std::wstring(kLibraryName) + L"." + std::wstring(c.name);
}

HRESULT registerClass(const RegistryRoot& root, const ControlClass& c, const std::wstring& path) {
    const std::wstring clsid = guidText(*c.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    const std::wstring help(c.help);
    const Entry entries[] = {
        {key, nullptr, help},
        {key + L"\\InprocServer32", nullptr, path},
        {key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {key + L"\\ProgID", nullptr, progId(c)},
        {key + L"\\TypeLib", nullptr, guidText(LIBID_Quorvantix)},
        {key + L"\\Version", nullptr, std::wstring(kLibraryVersion)},
        {key + L"\\MiscStatus", nullptr, L"0"},
        {key + L"\\MiscStatus\\1", nullptr, std::to_wstring(kMiscStatus)},
        {key + L"\\ToolboxBitmap32", nullptr, path + L"," + std::to_wstring(c.toolboxBitmap)},
        {key + L"\\Control", nullptr, L""},
        {key + L"\\Verb", nullptr, L""},
        {key + L"\\Verb\\0", nullptr, L"Properties,0,2"},
        {progId(c), nullptr, help},
        {progId(c) + L"\\Clsid", nullptr, clsid},
    };
    for (const Entry& e : entries) {
        const HRESULT hr = write(root, e);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

std::wstring typeLibKey() {
    return L"TypeLib\\" + guidText(LIBID_Quorvantix) + L"\\" + std::wstring(kLibraryVersion);
}

// What registering the type library writes, below the user's classes, where the platform's
// own registration would write for all users.
HRESULT registerTypeLibraryForUser(const RegistryRoot& root, const std::wstring& path) {
    const std::wstring lib = typeLibKey();
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    const Entry entries[] = {
        {lib, nullptr, L"Quorvantix Library"},
        {lib + L"\\FLAGS", nullptr, L"0"},
        {lib + L"\\HELPDIR", nullptr, folder},
        {lib + L"\\" + kLocaleKey + L"\\" + kSysKindKey, nullptr, path},
    };
    for (const Entry& e : entries) {
        const HRESULT hr = write(root, e);
        if (FAILED(hr)) return hr;
    }
    for (const ControlClass& c : controlClasses()) {
        const std::wstring name = L"I" + std::wstring(c.name);
        for (const auto& [iid, interfaceName] :
             {std::pair{c.iid, name}, std::pair{c.events, name + L"Events"}}) {
            const std::wstring key = L"Interface\\" + guidText(*iid);
            const Entry keys[] = {
                {key, nullptr, interfaceName},
                {key + L"\\ProxyStubClsid", nullptr, kAutomationProxy},
                {key + L"\\ProxyStubClsid32", nullptr, kAutomationProxy},
                {key + L"\\TypeLib", nullptr, guidText(LIBID_Quorvantix)},
                {key + L"\\TypeLib", L"Version", std::wstring(kLibraryVersion)},
            };
            for (const Entry& e : keys) {
                const HRESULT hr = write(root, e);
                if (FAILED(hr)) return hr;
            }
        }
    }
    return S_OK;
}

// Removes this bitness's type library entry; the rest goes with the last bitness.
void unregisterTypeLibraryForUser(const RegistryRoot& root) {
    const std::wstring locale = typeLibKey() + L"\\" + kLocaleKey;
    root.deleteTree(locale + L"\\" + kSysKindKey);
    if (root.hasSubkeys(locale)) return;  // the other bitness is still registered
    root.deleteTree(L"TypeLib\\" + guidText(LIBID_Quorvantix));
    for (const ControlClass& c : controlClasses()) {
        root.deleteTree(L"Interface\\" + guidText(*c.iid));
        root.deleteTree(L"Interface\\" + guidText(*c.events));
    }
}

HRESULT registerTypeLibrary(Scope scope, const RegistryRoot& root) {
    std::wstring path = modulePath();
    if (scope == Scope::User) return registerTypeLibraryForUser(root, path);
    ITypeLib* library = nullptr;
    HRESULT hr = loadTypeLibrary(&library);
    if (FAILED(hr)) return hr;
    hr = RegisterTypeLib(library, path.data(), nullptr);  // the API takes a mutable string
    library->Release();
    return hr;
}

HRESULT unregisterFrom(Scope scope, const RegistryRoot& root) {
    for (const ControlClass& c : controlClasses()) {
        root.deleteTree(L"CLSID\\" + guidText(*c.clsid));
        root.deleteTree(progId(c));
    }
    if (scope == Scope::User) {
        unregisterTypeLibraryForUser(root);
    } else {
        UnRegisterTypeLib(LIBID_Quorvantix, 1, 0, 1033, kSysKind);
    }
    return S_OK;
}

}  // namespace

HRESULT registerServer(Scope scope) {
    const RegistryRoot root = scope == Scope::User
                                  ? RegistryRoot(HKEY_CURRENT_USER, L"Software\\Classes")
                                  : RegistryRoot(HKEY_CLASSES_ROOT);
    if (!root.valid()) return E_ACCESSDENIED;
    HRESULT hr = registerTypeLibrary(scope, root);
    const std::wstring inproc = serverPath();
    for (const ControlClass& c : controlClasses()) {
        if (FAILED(hr)) break;
        hr = registerClass(root, c, inproc);
    }
    if (FAILED(hr)) unregisterFrom(scope, root);  // leave nothing half-written
    return hr;
}

HRESULT unregisterServer(Scope scope) {
    const RegistryRoot root = scope == Scope::User
                                  ? RegistryRoot(HKEY_CURRENT_USER, L"Software\\Classes")
                                  : RegistryRoot(HKEY_CLASSES_ROOT);
    if (!root.valid()) return E_ACCESSDENIED;
    return unregisterFrom(scope, root);
}

}  // namespace qv::activex
