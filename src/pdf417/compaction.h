// The three compaction modes and the two field encoders of Macro PDF417. Pure functions over the
// data bytes; the symbol frame around them is in layout.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qv::pdf417 {

using Codewords = std::vector<std::int32_t>;
using Bytes = std::span<const std::uint8_t>;

inline constexpr std::int32_t kByteLatch = 901;
inline constexpr std::int32_t kByteLatchSix = 924;
inline constexpr std::int32_t kNumericLatch = 902;
inline constexpr std::int32_t kPad = 900;

// Writes the latch at position 1 of `symbol` and data codewords from position 2 up to `limit`
// (exclusive): six-byte groups as five base-900 codewords, the rest one byte per codeword.
// Returns the data position of the first byte not taken.
std::size_t byteCompaction(Bytes data, std::size_t start, Codewords& symbol, std::int64_t limit);

struct TextCompacted {
    Codewords codewords;      // paired values, no latch, no descriptor
    std::size_t end = 0;      // first character not consumed
    std::size_t skipped = 0;  // characters without a value, left out
};

// Text compaction from `start`; stops before the character whose codewords, with the length
// descriptor, would reach `limit`.
TextCompacted textCompaction(Bytes data, std::size_t start, std::int64_t limit);
// Text compaction of a whole macro field, with no limit.
Codewords textFieldToCodewords(std::string_view text);

// Numeric compaction of the data from `start` in groups of 44 digits (no latch); nullopt when
// the data holds anything but digits.
std::optional<Codewords> numericCompaction(Bytes data, std::size_t start);
// Base-900 digits of "1" followed by `digits` (at most 44 digits); nullopt for anything else.
std::optional<Codewords> numberToCodewords(std::string_view digits);

}  // namespace qv::pdf417
