// The symbol frame: error-correction count, row and column sizing, padding, length descriptor,
// the Macro PDF417 control block and the Reed-Solomon codewords.
#pragma once

#include <cstdint>
#include <string>

#include "pdf417/compaction.h"
#include "quorvantix/pdf417.h"

namespace qv::pdf417 {

inline constexpr std::int32_t kMaxRows = 90;
inline constexpr std::int32_t kMaxColumns = 30;
inline constexpr std::int32_t kMaxCodewords = 928;

// Values outside what the symbol can carry, as every step of sizing and drawing takes them.
constexpr std::int32_t effectiveColumns(std::int32_t columns) {
    return columns >= 1 && columns <= kMaxColumns ? columns : 1;
}
constexpr std::int32_t effectiveEcLevel(std::int32_t level) {
    return level < 0 ? 0 : (level > 8 ? 8 : level);
}

struct FrameOptions {
    std::int32_t ecLevel = 0;
    std::int32_t columns = 10;
    std::int32_t rows = 0;     // minimum rows; 0 or less: none
    std::int32_t maxRows = 0;  // 0 or less: no limit; at most 90
};

enum class Failure : std::uint8_t {
    None,
    Rows,            // more than 90 rows needed
    Length,          // more than 928 codewords, or too few for the frame
    InvalidNumeric,  // numeric mode with a character other than a digit
    UnknownMode,     // not a compaction mode
};

struct Symbol {
    Codewords codewords;  // rows x columns, in reading order; empty on failure
    std::int32_t rows = 0;
    std::int32_t columns = 1;
    std::int32_t ecLevel = 0;
    Failure failure = Failure::None;
    std::int64_t failureValue = 0;  // rows or codewords of a sizing failure
    std::size_t end = 0;            // first data position not encoded
    std::size_t skipped = 0;        // characters text compaction left out
};

// Encodes the data from `start` into one symbol. `macroBlock` goes right before the error
// correction; `reserve` more codewords are kept free for it (the terminator of a last segment).
Symbol frameSymbol(TEncoding mode, Bytes data, std::size_t start,
                   std::span<const std::int32_t> macroBlock, std::int32_t reserve,
                   const FrameOptions& options);

// The text the control draws (and notes) for a sizing failure; empty for other failures.
std::string failureText(const Symbol& symbol);

}  // namespace qv::pdf417
