// The little JSON the service writes: strings of 8-bit characters, each its code 0..255.
#pragma once

#include <string>
#include <string_view>

namespace qv::service {

// A JSON string literal, quotes included. Bytes 0x80..0xFF are Latin-1 characters (\u0080 to
// \u00FF), as the controls take each byte as its code; the result is plain ASCII.
std::string jsonString(std::string_view text);

}  // namespace qv::service
