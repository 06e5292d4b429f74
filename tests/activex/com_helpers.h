// Small COM conveniences for the test container: owning pointers and variants, and calls
// through IDispatch::Invoke.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace qv::activex::test {

template <class T>
class Ref {
  public:
    Ref() = default;
    ~Ref() { reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    T** out() {
        reset();
        return &p_;
    }
    void** outVoid() { return reinterpret_cast<void**>(out()); }
    void reset() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
    }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    ~Variant() { VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    explicit Variant(LONG v) {
        VariantInit(this);
        vt = VT_I4;
        lVal = v;
    }
};

std::string narrow(const std::wstring& text);
std::string hresultText(HRESULT hr);

// Invoke with positional arguments given in natural order (they are passed reversed).
HRESULT invoke(IDispatch* object, DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result,
               EXCEPINFO* exception = nullptr);
HRESULT getProperty(IDispatch* object, DISPID id, VARIANT* result);
HRESULT putProperty(IDispatch* object, DISPID id, VARIANT& value,
                    WORD flags = DISPATCH_PROPERTYPUT);
// The DISPID a name maps to, or DISPID_UNKNOWN.
DISPID idOfName(IDispatch* object, const std::wstring& name);

}  // namespace qv::activex::test
