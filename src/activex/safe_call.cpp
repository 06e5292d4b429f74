#include "safe_call.h"

#include <string>

namespace qv::activex {

HRESULT reportError(HRESULT hr, REFIID iid, std::wstring_view source, std::string_view what) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return hr;
    // The message is plain ASCII text of the library; a byte-for-byte widening keeps it readable.
    const std::wstring description(what.begin(), what.end());
    const std::wstring sourceText(source);
    create->SetGUID(iid);
    create->SetSource(const_cast<wchar_t*>(sourceText.c_str()));
    create->SetDescription(const_cast<wchar_t*>(description.c_str()));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return hr;
}

}  // namespace qv::activex
