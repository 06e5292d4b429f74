// Writing and removing registry keys below one root, as registration does.
#pragma once

#include <windows.h>

#include <string>

namespace qv::activex {

class RegistryRoot {
  public:
    // HKEY_CLASSES_ROOT itself, or a key below it that the root opens (and creates) for writing.
    explicit RegistryRoot(HKEY root) : root_(root) {}
    RegistryRoot(HKEY parent, const wchar_t* subkey);
    ~RegistryRoot();
    RegistryRoot(const RegistryRoot&) = delete;
    RegistryRoot& operator=(const RegistryRoot&) = delete;

    bool valid() const { return root_ != nullptr; }
    // Creates key and sets one string value (the default value when name is null).
    LSTATUS setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) const;
    void deleteTree(const std::wstring& key) const;
    // Whether key has a subkey at all.
    bool hasSubkeys(const std::wstring& key) const;

  private:
    HKEY root_;
    bool owned_ = false;
};

}  // namespace qv::activex
