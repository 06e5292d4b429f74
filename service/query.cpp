#include "query.h"

#include <optional>

namespace qv::service {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> decode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c != '%') {
            out += c;
        } else {
            if (i + 2 >= text.size()) return std::nullopt;
            const int hi = hexValue(text[i + 1]);
            const int lo = hexValue(text[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        }
    }
    return out;
}

// Shows a faulty field without letting control bytes or a huge field into the message.
std::string quoted(std::string_view field) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    for (char c : field.substr(0, kShown)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F || c == '"' || c == '\\') {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    if (field.size() > kShown) out += "...";
    return out + "\"";
}

}  // namespace

std::variant<std::vector<QueryField>, QueryError> parseQuery(std::string_view query) {
    std::vector<QueryField> fields;
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view field = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        if (field.empty()) continue;
        const std::size_t eq = field.find('=');
        const std::string_view rawName = field.substr(0, eq);
        const std::string_view rawValue =
            eq == std::string_view::npos ? std::string_view{} : field.substr(eq + 1);
        auto name = decode(rawName);
        auto value = decode(rawValue);
        if (!name || !value)
            return QueryError{"bad percent-encoding in " + quoted(field) +
                              ": '%' must be followed by two hex digits"};
        if (name->empty()) return QueryError{"a field without a name: " + quoted(field)};
        fields.push_back({std::move(*name), std::move(*value)});
    }
    return fields;
}

}  // namespace qv::service
