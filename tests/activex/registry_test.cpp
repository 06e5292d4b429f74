// After registration every key and value a container reads is present and exact; after
// unregistration none is left and no control can be created by its ProgID.
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

bool readValue(const std::wstring& key, const wchar_t* name, std::wstring* data) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_ANY, &type, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_ANY, &type, buffer.data(),
                     &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    buffer.resize(wcslen(buffer.c_str()));
    *data = buffer;
    return true;
}

bool keyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
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

}  // namespace

int registeredTest(const std::wstring& dllPath) {
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
            const bool present = readValue(v.key, v.name, &data);
            QV_CHECK(present, narrow(v.key));
            if (present) QV_CHECK_EQ(narrow(data), narrow(v.data), narrow(v.key));
        }
        CLSID clsid{};
        QV_CHECK_EQ(CLSIDFromProgID((std::wstring(L"Quorvantix.") + c.name).c_str(), &clsid), S_OK,
                    narrow(c.name));
    }
    const std::wstring typeLib = std::wstring(L"TypeLib\\") + kLibId + L"\\1.0";
    std::wstring help;
    QV_CHECK(readValue(typeLib, nullptr, &help) && help == L"Quorvantix Library", "type library");
    QV_CHECK(keyExists(typeLib + L"\\409\\win64"), "type library for locale 1033");
    return failureCount();
}

int unregisteredTest() {
    for (const ExpectedClass& c : kClasses) {
        const std::wstring progId = std::wstring(L"Quorvantix.") + c.name;
        QV_CHECK(!keyExists(std::wstring(L"CLSID\\") + c.clsid), narrow(c.name));
        QV_CHECK(!keyExists(progId), narrow(progId));
        CLSID clsid{};
        QV_CHECK(FAILED(CLSIDFromProgID(progId.c_str(), &clsid)), narrow(progId));
        IDispatch* object = nullptr;
        CLSIDFromString(c.clsid, &clsid);
        QV_CHECK(FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                         reinterpret_cast<void**>(&object))),
                 narrow(c.name));
    }
    QV_CHECK(!keyExists(std::wstring(L"TypeLib\\") + kLibId), "type library");
    QV_CHECK(!keyExists(L"Interface\\{EC143565-B304-4BB2-BC4F-5981422F51D4}"), "IMaxicodeX");
    return failureCount();
}

}  // namespace qv::activex::test
