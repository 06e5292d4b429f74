// Interface members never let a failure escape: it becomes a failure HRESULT with error
// information for the caller (what a script host shows as the error's description).
#pragma once

#include <windows.h>

#include <exception>
#include <new>
#include <string_view>
#include <system_error>

namespace qv::activex {

// Sets the thread's error information (source, description, interface) and returns hr.
HRESULT reportError(HRESULT hr, REFIID iid, std::wstring_view source, std::string_view what);

template <class Body>
HRESULT safeCall(REFIID iid, std::wstring_view source, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return reportError(E_OUTOFMEMORY, iid, source, "out of memory");
    } catch (const std::system_error& e) {
        const HRESULT hr = e.code().category() == std::system_category()
                               ? HRESULT_FROM_WIN32(static_cast<DWORD>(e.code().value()))
                               : E_UNEXPECTED;
        return reportError(FAILED(hr) ? hr : E_UNEXPECTED, iid, source, e.what());
    } catch (const std::exception& e) {
        return reportError(E_UNEXPECTED, iid, source, e.what());
    } catch (...) {
        return reportError(E_UNEXPECTED, iid, source, "unknown failure");
    }
}

}  // namespace qv::activex
