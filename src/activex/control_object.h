// The part every control wrapper shares: reference counting, IDispatch served from the type
// library, error information, the forwarding of published properties through the control's
// property table, and the trailing window-control members of every dispatch interface.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "Quorvantix_TLB.h"
#include "ansi_string.h"
#include "control_classes.h"
#include "ole_control.h"
#include "platform_control.h"
#include "property_access.h"
#include "ref_count.h"
#include "safe_call.h"
#include "server_state.h"
#include "type_library.h"

namespace qv::activex {

template <class Interface, class Hosted, ClassIndex Index>
class ControlObject : public Interface, public ISupportErrorInfo, public OleControl {
  public:
    ControlObject() { objectCreated(); }
    virtual ~ControlObject() { objectDestroyed(); }
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    static const ControlClass& controlClass() { return activex::controlClass(Index); }
    Hosted& control() { return *control_; }
    PlatformControl& platform() { return platform_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, *controlClass().iid)) {
            *object = static_cast<Interface*>(this);
        } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *object = static_cast<ISupportErrorInfo*>(this);
        } else if (SUCCEEDED(queryOle(iid, object))) {
            return S_OK;
        } else {
            const HRESULT hr = queryOtherInterface(iid, object);
            if (FAILED(hr)) return hr;
            return S_OK;  // the other interface took its own reference
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (info == nullptr) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        InterfaceInfo described;
        const HRESULT hr = interfaceInfo(*controlClass().iid, &described);
        if (FAILED(hr)) return hr;
        described.dispatch->AddRef();
        *info = described.dispatch;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        if (names == nullptr || ids == nullptr) return E_POINTER;
        InterfaceInfo described;
        const HRESULT hr = interfaceInfo(*controlClass().iid, &described);
        if (FAILED(hr)) return hr;
        return DispGetIDsOfNames(described.dispatch, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        if (params == nullptr) return E_POINTER;
        InterfaceInfo described;
        const HRESULT hr = interfaceInfo(*controlClass().iid, &described);
        if (FAILED(hr)) return hr;
        // The vtable description drives the call, so every call lands in the members below.
        return DispInvoke(static_cast<Interface*>(this), described.vtable, id, flags, params,
                          result, exception, argError);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return IsEqualIID(iid, *controlClass().iid) ? S_OK : S_FALSE;
    }

    // Trailing window-control members.
    HRESULT STDMETHODCALLTYPE get_DoubleBuffered(VARIANT_BOOL* value) override {
        return out(value, toBool(platform_.doubleBuffered));
    }
    HRESULT STDMETHODCALLTYPE put_DoubleBuffered(VARIANT_BOOL value) override {
        platform_.doubleBuffered = value != 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FlipChildren(VARIANT_BOOL) override {
        return S_OK;  // a barcode control has no children to mirror
    }
    HRESULT STDMETHODCALLTYPE DrawTextBiDiModeFlags(LONG flags, LONG* value) override {
        return out(value, platform_.drawTextBiDiModeFlags(flags));
    }
    HRESULT STDMETHODCALLTYPE DrawTextBiDiModeFlagsReadingOnly(LONG* value) override {
        return out(value, platform_.drawTextBiDiModeFlagsReadingOnly());
    }
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override {
        return out(value, toBool(platform_.enabled));
    }
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override {
        platform_.enabled = value != 0;
        applyWindowState(platform_.visible, platform_.enabled);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetControlsAlignment(TxAlignment* value) override {
        return out(value, static_cast<TxAlignment>(platform_.controlsAlignment()));
    }
    HRESULT STDMETHODCALLTYPE InitiateAction() override {
        return S_OK;  // no action is ever linked to a barcode control
    }
    HRESULT STDMETHODCALLTYPE IsRightToLeft(VARIANT_BOOL* value) override {
        return out(value, toBool(platform_.isRightToLeft()));
    }
    HRESULT STDMETHODCALLTYPE UseRightToLeftAlignment(VARIANT_BOOL* value) override {
        return out(value, toBool(platform_.useRightToLeftAlignment()));
    }
    HRESULT STDMETHODCALLTYPE UseRightToLeftReading(VARIANT_BOOL* value) override {
        return out(value, toBool(platform_.useRightToLeftReading()));
    }
    HRESULT STDMETHODCALLTYPE UseRightToLeftScrollBar(VARIANT_BOOL* value) override {
        return out(value, toBool(platform_.useRightToLeftScrollBar()));
    }
    HRESULT STDMETHODCALLTYPE get_BiDiMode(TxBiDiMode* value) override {
        return out(value, static_cast<TxBiDiMode>(platform_.biDiMode));
    }
    HRESULT STDMETHODCALLTYPE put_BiDiMode(TxBiDiMode value) override {
        platform_.biDiMode = static_cast<std::int32_t>(value);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* value) override {
        return out(value, toBool(platform_.visible));
    }
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override {
        platform_.visible = value != 0;
        applyWindowState(platform_.visible, platform_.enabled);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Cursor(short* value) override {
        return out(value, platform_.cursor);
    }
    HRESULT STDMETHODCALLTYPE put_Cursor(short value) override {
        platform_.cursor = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClassNameIs(BSTR name, VARIANT_BOOL* value) override {
        if (value == nullptr) return E_POINTER;
        return guarded([&] {
            *value = toBool(sameClassName(toAnsi(name), controlClass().control));
            return S_OK;
        });
    }

    // OleControl
    IUnknown* identity() override { return static_cast<Interface*>(this); }
    const ControlClass& oleClass() const override { return controlClass(); }

  protected:
    Control& hosted() override { return *control_; }
    std::unique_ptr<Control> freshControl() const override { return std::make_unique<Hosted>(); }
    void replaceControl(std::unique_ptr<Control> control) override {
        control_.reset(static_cast<Hosted*>(control.release()));
    }

    // Further interfaces of a wrapper (the hosting interfaces of a container); must AddRef.
    virtual HRESULT queryOtherInterface(REFIID, void**) { return E_NOINTERFACE; }

    // Runs a member's body with every failure turned into an HRESULT with error information.
    template <class Body>
    HRESULT guarded(Body&& body) {
        return safeCall(*controlClass().iid, progId(), std::forward<Body>(body));
    }

    // Published properties by their type-library name.
    template <class T>
    HRESULT read(std::string_view name, T* value) {
        if (value == nullptr) return E_POINTER;
        if constexpr (std::is_enum_v<T>) {
            return guarded([&] {
                *value = static_cast<T>(readByteEnum(*control_, name));
                return S_OK;
            });
        } else {
            return guarded([&] {
                readProperty(*control_, name, value);
                return S_OK;
            });
        }
    }
    template <class T>
    HRESULT write(std::string_view name, T value) {
        return guarded([&] {
            if constexpr (std::is_enum_v<T>) {
                writeByteEnum(*control_, name, static_cast<std::int32_t>(value));
            } else {
                writeProperty(*control_, name, value);
            }
            return S_OK;
        });
    }

    // Calls a method of the control that may fail.
    template <class Body>
    HRESULT call(Body&& body) {
        return guarded([&] {
            body(*control_);
            return S_OK;
        });
    }

    template <class T, class V>
    static HRESULT out(T* target, V value) {
        if (target == nullptr) return E_POINTER;
        *target = static_cast<T>(value);
        return S_OK;
    }
    static VARIANT_BOOL toBool(bool b) { return b ? VARIANT_TRUE : VARIANT_FALSE; }

  private:
    static std::wstring progId() {
        return std::wstring(kLibraryName) + L"." + std::wstring(controlClass().name);
    }

    RefCount refs_;
    std::unique_ptr<Hosted> control_ = std::make_unique<Hosted>();
    PlatformControl platform_;
};

// Forwarding members of published properties, named as in the type library.
#define QV_PROPERTY_RW(Name, Type)                               \
    HRESULT STDMETHODCALLTYPE get_##Name(Type* value) override { \
        return read(#Name, value);                               \
    }                                                            \
    HRESULT STDMETHODCALLTYPE put_##Name(Type value) override {  \
        return write(#Name, value);                              \
    }
#define QV_PROPERTY_R(Name, Type)                                \
    HRESULT STDMETHODCALLTYPE get_##Name(Type* value) override { \
        return read(#Name, value);                               \
    }

}  // namespace qv::activex
