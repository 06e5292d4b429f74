#include "registry_key.h"

namespace qv::activex {

RegistryRoot::RegistryRoot(HKEY parent, const wchar_t* subkey) : root_(nullptr), owned_(true) {
    if (RegCreateKeyExW(parent, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr) !=
        ERROR_SUCCESS) {
        root_ = nullptr;
    }
}

RegistryRoot::~RegistryRoot() {
    if (owned_ && root_ != nullptr) RegCloseKey(root_);
}

LSTATUS RegistryRoot::setValue(const std::wstring& key, const wchar_t* name,
                               const std::wstring& value) const {
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(root_, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                     &handle, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            bytes);
    RegCloseKey(handle);
    return status;
}

void RegistryRoot::deleteTree(const std::wstring& key) const {
    RegDeleteTreeW(root_, key.c_str());
    RegDeleteKeyW(root_, key.c_str());
}

bool RegistryRoot::hasSubkeys(const std::wstring& key) const {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root_, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD subkeys = 0;
    const LSTATUS status = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS && subkeys > 0;
}

}  // namespace qv::activex
