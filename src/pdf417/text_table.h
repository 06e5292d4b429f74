// Sub-mode and value of the printable ASCII characters in text compaction. Characters that two
// sub-modes share are taken from Mixed; space is always Mixed 26.
#pragma once

#include <array>
#include <cstdint>

namespace qv::pdf417 {

enum class SubMode : std::uint8_t { Alpha, Lower, Mixed, Punctuation, None };

struct TextEntry {
    SubMode mode;
    std::uint8_t value;
};

namespace detail {

constexpr std::array<TextEntry, 256> buildTextTable() {
    std::array<TextEntry, 256> t{};
    for (auto& e : t) e = {SubMode::None, 0};
    for (int i = 0; i < 26; ++i) {
        t['A' + i] = {SubMode::Alpha, static_cast<std::uint8_t>(i)};
        t['a' + i] = {SubMode::Lower, static_cast<std::uint8_t>(i)};
    }
    for (int i = 0; i < 10; ++i) t['0' + i] = {SubMode::Mixed, static_cast<std::uint8_t>(i)};
    constexpr char mixed[] = "&\0\0,:#-.$/+%*=^\0 ";  // values 10 to 26; \0: no character
    static_assert(sizeof mixed == 18);
    for (int i = 0; i < 17; ++i)
        if (mixed[i] != '\0')
            t[static_cast<unsigned char>(mixed[i])] = {SubMode::Mixed,
                                                       static_cast<std::uint8_t>(10 + i)};
    // Values 0 to 28; \0: a character taken from Mixed, or one outside the table.
    constexpr char punct[] = ";<>@[\\]_`~!\0\0\0\0\0\0\0\0\0\"|\0()?{}'";
    static_assert(sizeof punct == 30);
    for (int i = 0; i < 29; ++i)
        if (punct[i] != '\0')
            t[static_cast<unsigned char>(punct[i])] = {SubMode::Punctuation,
                                                       static_cast<std::uint8_t>(i)};
    return t;
}

}  // namespace detail

inline constexpr std::array<TextEntry, 256> kTextTable = detail::buildTextTable();

}  // namespace qv::pdf417
