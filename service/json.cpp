#include "json.h"

namespace qv::service {

std::string jsonString(std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    out += '"';
    return out;
}

}  // namespace qv::service
