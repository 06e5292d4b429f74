// After registration every key and value a container reads is present and exact, for all users
// or below HKEY_CURRENT_USER alone; after unregistration none is left in either registry view
// and no control can be created by its ProgID.
#include <windows.h>

#include <string>
#include <vector>

#include "check.h"
#include "com_helpers.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

struct ExpectedClass {
    const wchar_t* clsid;
    const wchar_t* name;
    int bitmap;
};

constexpr ExpectedClass kClasses[] = {
    {L"{D3ED2B40-E3F1-4DCF-BA09-4D5BB9B8DCD8}", L"Barcode1DX", 1},
    {L"{609461F2-BAA9-478A-BCD7-0D49F8349F1C}", L"DatamatrixX", 2},
    {L"{6C58F23A-1C24-45D8-9152-05473E761F77}", L"PDF417X", 3},
    {L"{75C40453-FEB1-48F2-B031-7F8ADDE810BE}", L"MaxicodeX", 4},
};
constexpr const wchar_t* kLibId = L"{8F287C3B-92BA-46F8-8031-59CEBF68F14D}";

struct Value {
    std::wstring key;
    const wchar_t* name;  // null: default value
    std::wstring data;
};

constexpr const wchar_t* kSysKind = sizeof(void*) == 8 ? L"win64" : L"win32";

// Where classes are registered: all of HKEY_CLASSES_ROOT, or the classes of one root key in one
// registry view.
struct ClassesRoot {
    HKEY key;
    const wchar_t* classes;  // the classes key below it; null: key itself
    REGSAM view;             // KEY_WOW64_64KEY, KEY_WOW64_32KEY or 0 for the program's own
    const char* name;
};
const ClassesRoot kMerged{HKEY_CLASSES_ROOT, nullptr, 0, "HKCR"};
const ClassesRoot kUser{HKEY_CURRENT_USER, L"Software\\Classes", 0, "HKCU"};
const ClassesRoot kEveryView[] = {
    {HKEY_LOCAL_MACHINE, L"Software\\Classes", KEY_WOW64_64KEY, "HKLM 64-bit"},
    {HKEY_LOCAL_MACHINE, L"Software\\Classes", KEY_WOW64_32KEY, "HKLM 32-bit"},
    {HKEY_CURRENT_USER, L"Software\\Classes", KEY_WOW64_64KEY, "HKCU 64-bit"},
    {HKEY_CURRENT_USER, L"Software\\Classes", KEY_WOW64_32KEY, "HKCU 32-bit"},
};

std::wstring below(const ClassesRoot& root, const std::wstring& key) {
    return root.classes != nullptr ? std::wstring(root.classes) + L"\\" + key : key;
}

bool readValue(const ClassesRoot& root, const std::wstring& key, const wchar_t* name,
               std::wstring* data) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root.key, below(root, key).c_str(), 0, KEY_READ | root.view, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegGetValueW(handle, nullptr, name, RRF_RT_ANY, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        RegCloseKey(handle);
        return false;
    }
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    const LSTATUS status =
        RegGetValueW(handle, nullptr, name, RRF_RT_ANY, &type, buffer.data(), &bytes);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        return false;
    }
    buffer.resize(wcslen(buffer.c_str()));
    *data = buffer;
    return true;
}

bool keyExists(const ClassesRoot& root, const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root.key, below(root, key).c_str(), 0, KEY_READ | root.view, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

std::vector<Value> expectedValues(const ExpectedClass& c, const std::wstring& path) {
    const std::wstring key = std::wstring(L"CLSID\\") + c.clsid;
    const std::wstring help = std::wstring(c.name) + L" Control";
    const std::wstring progId = std::wstring(L"Quorvantix.") + c.name;
    return {
        {key, nullptr, help},
        {key + L"\\InprocServer32", nullptr, path},
        {key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {key + L"\\ProgID", nullptr, progId},
        {key + L"\\TypeLib", nullptr, kLibId},
        {key + L"\\Version", nullptr, L"1.0"},
        {key + L"\\MiscStatus", nullptr, L"0"},
        {key + L"\\MiscStatus\\1", nullptr, L"131473"},
        {key + L"\\ToolboxBitmap32", nullptr, path + L"," + std::to_wstring(c.bitmap)},
        {key + L"\\Control", nullptr, L""},
        {key + L"\\Verb", nullptr, L""},
        {key + L"\\Verb\\0", nullptr, L"Properties,0,2"},
        {progId, nullptr, help},
        {progId + L"\\Clsid", nullptr, c.clsid},
    };
}

// Every key and value below root, and the controls found by their ProgIDs.
void checkRegistered(const ClassesRoot& root, const std::wstring& dllPath, bool findable) {
    // A path with a blank is registered in its short form, which has none.
    std::wstring path = dllPath;
    if (path.find(L' ') != std::wstring::npos) {
        wchar_t shortPath[MAX_PATH];
        const DWORD n = GetShortPathNameW(dllPath.c_str(), shortPath, MAX_PATH);
        QV_CHECK(n > 0 && n < MAX_PATH && wcschr(shortPath, L' ') == nullptr, "short path");
        path = shortPath;
    }
    for (const ExpectedClass& c : kClasses) {
        for (const Value& v : expectedValues(c, path)) {
            std::wstring data;
            const bool present = readValue(root, v.key, v.name, &data);
            QV_CHECK(present, root.name << " " << narrow(v.key));
            if (present) QV_CHECK_EQ(narrow(data), narrow(v.data), narrow(v.key));
        }
        CLSID clsid{};
        if (!findable) continue;
        QV_CHECK_EQ(CLSIDFromProgID((std::wstring(L"Quorvantix.") + c.name).c_str(), &clsid), S_OK,
                    narrow(c.name));
    }
    const std::wstring typeLib = std::wstring(L"TypeLib\\") + kLibId + L"\\1.0";
    std::wstring help;
    QV_CHECK(readValue(root, typeLib, nullptr, &help) && help == L"Quorvantix Library",
             root.name << " type library");
    QV_CHECK(keyExists(root, typeLib + L"\\409\\" + kSysKind), "type library for locale 1033");
}

// Nothing of the server below root.
void checkAbsent(const ClassesRoot& root) {
    for (const ExpectedClass& c : kClasses) {
        const std::wstring progId = std::wstring(L"Quorvantix.") + c.name;
        QV_CHECK(!keyExists(root, std::wstring(L"CLSID\\") + c.clsid),
                 root.name << " " << narrow(c.name));
        QV_CHECK(!keyExists(root, progId), root.name << " " << narrow(progId));
    }
    QV_CHECK(!keyExists(root, std::wstring(L"TypeLib\\") + kLibId), root.name << " type library");
    QV_CHECK(!keyExists(root, L"Interface\\{EC143565-B304-4BB2-BC4F-5981422F51D4}"),
             root.name << " IMaxicodeX");
}

}  // namespace

int registeredTest(const std::wstring& dllPath) {
    checkRegistered(kMerged, dllPath, true);
    return failureCount();
}

// Registered for the user alone: below HKEY_CURRENT_USER, and nothing for all users.
int registeredForUserTest(const std::wstring& dllPath) {
    // Windows finds classes of HKCU\\Software\\Classes through HKEY_CLASSES_ROOT; Wine reads
    // those of all users only, so the lookup by ProgID is not asked of it here.
    checkRegistered(kUser, dllPath, false);
    for (const ClassesRoot& root : kEveryView) {
        if (root.key == HKEY_LOCAL_MACHINE) checkAbsent(root);
    }
    return failureCount();
}

int unregisteredTest() {
    for (const ExpectedClass& c : kClasses) {
        const std::wstring progId = std::wstring(L"Quorvantix.") + c.name;
        CLSID clsid{};
        QV_CHECK(FAILED(CLSIDFromProgID(progId.c_str(), &clsid)), narrow(progId));
        IDispatch* object = nullptr;
        CLSIDFromString(c.clsid, &clsid);
        QV_CHECK(FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                         reinterpret_cast<void**>(&object))),
                 narrow(c.name));
    }
    checkAbsent(kMerged);
    for (const ClassesRoot& root : kEveryView) checkAbsent(root);
    return failureCount();
}

}  // namespace qv::activex::test
