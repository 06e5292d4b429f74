#include "ansi_string.h"

#include <climits>
#include <new>
#include <system_error>

namespace qv::activex {
namespace {

[[noreturn]] void throwLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

int checkedLength(std::size_t n) {
    if (n > INT_MAX) throw std::length_error("string too long");
    return static_cast<int>(n);
}

}  // namespace

std::string toAnsi(const wchar_t* text, std::size_t length) {
    if (text == nullptr || length == 0) return {};
    const int n = checkedLength(length);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, n, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) throwLastError("wide to ANSI conversion");
    std::string out(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text, n, out.data(), bytes, nullptr, nullptr) != bytes) {
        throwLastError("wide to ANSI conversion");
    }
    return out;
}

std::string toAnsi(BSTR text) {
    return toAnsi(text, text == nullptr ? 0 : SysStringLen(text));
}

std::wstring toWide(std::string_view text) {
    if (text.empty()) return {};
    const int n = checkedLength(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), n, nullptr, 0);
    if (chars <= 0) throwLastError("ANSI to wide conversion");
    std::wstring out(static_cast<std::size_t>(chars), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), n, out.data(), chars) != chars) {
        throwLastError("ANSI to wide conversion");
    }
    return out;
}

BSTR toBstr(std::string_view text) {
    if (text.empty()) return nullptr;
    const std::wstring wide = toWide(text);
    BSTR out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (out == nullptr) throw std::bad_alloc();
    return out;
}

}  // namespace qv::activex
