// The Macro PDF417 control block that marks a symbol as one segment of a sequence.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "pdf417/compaction.h"

namespace qv::pdf417 {

inline constexpr std::int32_t kMacroMarker = 928;
inline constexpr std::int32_t kMacroField = 923;
inline constexpr std::int32_t kMacroTerminator = 922;

struct MacroFields {
    std::int32_t segment = 0;
    std::int32_t segmentCount = -1;    // negative: no count field
    std::int32_t lastSegment = 99998;  // highest index the sequence can hold
    std::string_view fileId;
    std::string_view fileName;
    std::string_view timeStamp;
    std::string_view sender;
    std::string_view addressee;
    std::int32_t fileSize = 0;
};

struct MacroBlock {
    Codewords codewords;
    std::string error;        // why no block could be built; empty when it was
    std::size_t skipped = 0;  // characters of the text fields left out
    bool terminated = false;  // ends with the terminator of the last segment
};

MacroBlock macroControlBlock(const MacroFields& fields);

}  // namespace qv::pdf417
