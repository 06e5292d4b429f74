#include "headers.h"

namespace qv::service {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::uint64_t fnv1a(std::uint64_t hash, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) {
        hash ^= b;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string notesHeader(std::span<const Note> notes) {
    std::string out;
    for (const Note& note : notes) {
        if (!out.empty()) out += "; ";
        out += note.severity == Note::Severity::Error ? "error: " : "warning: ";
        for (char c : note.text) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || u >= 0x7F || c == '%' || c == ';') {
                out += '%';
                out += kHex[u >> 4];
                out += kHex[u & 15];
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string entityTag(std::span<const std::uint8_t> body, std::string_view notes) {
    // Two FNV-1a passes in opposite orders: 128 bits of tag, cheap next to a render.
    const auto* n = reinterpret_cast<const std::uint8_t*>(notes.data());
    std::uint64_t a = fnv1a(fnv1a(0xcbf29ce484222325ULL, body), {n, notes.size()});
    std::uint64_t b = fnv1a(fnv1a(0x84222325cbf29ce4ULL, {n, notes.size()}), body);
    std::string tag = "\"";
    for (std::uint64_t v : {a, b})
        for (int shift = 60; shift >= 0; shift -= 4) tag += kHex[(v >> shift) & 15];
    return tag + "\"";
}

bool matchesEntityTag(std::string_view ifNoneMatch, std::string_view tag) {
    while (!ifNoneMatch.empty()) {
        const std::size_t comma = ifNoneMatch.find(',');
        std::string_view item = trimmed(ifNoneMatch.substr(0, comma));
        ifNoneMatch =
            comma == std::string_view::npos ? std::string_view{} : ifNoneMatch.substr(comma + 1);
        if (item == "*") return true;
        // If-None-Match compares weakly: W/"x" matches "x".
        if (item.starts_with("W/")) item.remove_prefix(2);
        if (item == tag) return true;
    }
    return false;
}

}  // namespace qv::service
