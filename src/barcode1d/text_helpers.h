// Small text and table operations of the linear control's encoders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/text_conversions.h"

namespace qv::barcode1d {

// Decimal text without leading zeros, "-" for negatives.
std::string intToText(std::int32_t value);

// The encoders call the shared conversions by their short names.
using core::escapeForNote;
using core::expandTildes;
using core::textToInt;

// A key and its pattern, as the symbology tables hold them.
struct PatternEntry {
    std::string_view key;
    std::string_view pattern;
};

// Position of the first entry whose key equals key exactly (case-sensitive), or -1.
int findEntry(std::span<const PatternEntry> table, std::string_view key);

// findEntry for every one-character key, worked out at compile time: indexed by the byte.
template <std::size_t N>
constexpr std::array<std::int16_t, 256> byteIndex(const PatternEntry (&table)[N]) {
    std::array<std::int16_t, 256> index{};
    index.fill(-1);
    for (std::size_t i = N; i-- > 0;) {
        if (table[i].key.size() == 1)
            index[static_cast<unsigned char>(table[i].key[0])] = static_cast<std::int16_t>(i);
    }
    return index;
}
// The same over a list of plain strings.
int findString(std::span<const std::string_view> list, std::string_view s);

// The EAN/UPC check digit of the digits as one character; a non-digit counts 0.
std::string mod10CheckDigit(std::string_view digits);

// Cut to the first n characters, or pad on the right with "0" to exactly n.
std::string fixLength(std::string_view text, std::size_t n);

}  // namespace qv::barcode1d
