#include "gs1/describe.h"

namespace qv::gs1 {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool printable(unsigned char c) {
    return c >= 0x20 && c < 0x7F;
}

}  // namespace

std::string describeChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u == ' ') return "space";
    if (printable(u)) return std::string{'\'', c, '\''};
    return std::string("byte 0x") + kHex[u >> 4] + kHex[u & 0xF];
}

std::string describeText(std::string_view text, std::size_t maxChars) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == maxChars) return out + "...";
        const auto u = static_cast<unsigned char>(text[i]);
        if (printable(u))
            out += text[i];
        else
            out += std::string("\\x") + kHex[u >> 4] + kHex[u & 0xF];
    }
    return out;
}

std::string where(std::string_view ai, std::size_t position) {
    std::string out = "AI (";
    out.append(ai).append(") at position ").append(std::to_string(position)).append(": ");
    return out;
}

}  // namespace qv::gs1
