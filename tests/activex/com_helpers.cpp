#include "com_helpers.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qv::activex::test {

std::string narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string hresultText(HRESULT hr) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(hr));
    return buf;
}

HRESULT invoke(IDispatch* object, DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result,
               EXCEPINFO* exception) {
    std::vector<VARIANT> reversed(args, args + count);
    std::reverse(reversed.begin(), reversed.end());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, count, 0};
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO local{};
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                      exception != nullptr ? exception : &local, nullptr);
    if (exception == nullptr) {
        SysFreeString(local.bstrSource);
        SysFreeString(local.bstrDescription);
        SysFreeString(local.bstrHelpFile);
    }
    return hr;
}

HRESULT getProperty(IDispatch* object, DISPID id, VARIANT* result) {
    return invoke(object, id, DISPATCH_PROPERTYGET, nullptr, 0, result);
}

HRESULT putProperty(IDispatch* object, DISPID id, VARIANT& value, WORD flags) {
    return invoke(object, id, flags, &value, 1, nullptr);
}

DISPID idOfName(IDispatch* object, const std::wstring& name) {
    std::wstring copy = name;
    LPOLESTR names[] = {copy.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return DISPID_UNKNOWN;
    }
    return id;
}

}  // namespace qv::activex::test
