#include "registration.h"

#include <string>

#include "Quorvantix_TLB.h"
#include "control_classes.h"
#include "server_state.h"
#include "type_library.h"

namespace qv::activex {
namespace {

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

// Creates HKCR\key and sets one string value (the default value when name is null).
LSTATUS setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            bytes);
    RegCloseKey(handle);
    return status;
}

struct Entry {
    std::wstring key;
    const wchar_t* name;  // null: the key's default value
    std::wstring value;
};

std::wstring progId(const ControlClass& c) {
    return std::wstring(kLibraryName) + L"." + std::wstring(c.name);
}

HRESULT registerClass(const ControlClass& c, const std::wstring& path) {
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
        const LSTATUS status = setValue(e.key, e.name, e.value);
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

void deleteTree(const std::wstring& key) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
}

}  // namespace

HRESULT registerServer() {
    const std::wstring path = modulePath();
    ITypeLib* library = nullptr;
    HRESULT hr = loadTypeLibrary(&library);
    if (FAILED(hr)) return hr;
    std::wstring registeredPath = path;  // the API takes a mutable string
    hr = RegisterTypeLib(library, registeredPath.data(), nullptr);
    library->Release();
    if (FAILED(hr)) return hr;
    const std::wstring inproc = serverPath();
    for (const ControlClass& c : controlClasses()) {
        hr = registerClass(c, inproc);
        if (FAILED(hr)) {
            unregisterServer();  // leave nothing half-written
            return hr;
        }
    }
    return S_OK;
}

HRESULT unregisterServer() {
    for (const ControlClass& c : controlClasses()) {
        deleteTree(L"CLSID\\" + guidText(*c.clsid));
        deleteTree(progId(c));
    }
    UnRegisterTypeLib(LIBID_Quorvantix, 1, 0, 1033, SYS_WIN64);
    return S_OK;
}

}  // namespace qv::activex
