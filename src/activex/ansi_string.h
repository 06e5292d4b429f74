// The hosts' wide strings against the controls' 8-bit strings, through the ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::activex {

// A null BSTR is the empty string. Throws std::system_error when the conversion fails.
std::string toAnsi(const wchar_t* text, std::size_t length);
std::string toAnsi(BSTR text);
// A new BSTR (null for the empty string, which hosts read as ""). Throws on failure.
BSTR toBstr(std::string_view text);
std::wstring toWide(std::string_view text);

}  // namespace qv::activex
