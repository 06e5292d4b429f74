#include <limits>

#include "pdf417/compaction.h"
#include "pdf417/text_table.h"

namespace qv::pdf417 {
namespace {

constexpr std::uint8_t kLowerOrAlphaShift = 27;  // latch Lower (Alpha, Mixed); shift Alpha (Lower)
constexpr std::uint8_t kMixedOrAlpha = 28;       // latch Mixed (Alpha, Lower); latch Alpha (Mixed)
constexpr std::uint8_t kPunctShift = 29;         // one Punctuation character; also the pad value

// Base-30 values of the characters from `start`, switching sub-modes as needed. `limit` bounds
// the codewords that the values plus the length descriptor may take.
TextCompacted compactText(Bytes data, std::size_t start, std::int64_t limit) {
    std::vector<std::uint8_t> values;
    TextCompacted out;
    SubMode cur = SubMode::Alpha;
    SubMode mem = SubMode::Alpha;  // Lower while a one-character Alpha shift is in progress
    std::size_t s = start;
    for (; s < data.size(); ++s) {
        if (mem == SubMode::Lower && cur == SubMode::Alpha) cur = SubMode::Lower;
        const TextEntry e = kTextTable[data[s]];
        if (e.mode == SubMode::None) {
            ++out.skipped;
            continue;
        }
        const std::size_t before = values.size();
        if (e.mode != cur) {
            switch (e.mode) {
                case SubMode::Punctuation:
                    values.push_back(kPunctShift);
                    break;
                case SubMode::Mixed:
                    values.push_back(kMixedOrAlpha);
                    cur = SubMode::Mixed;
                    break;
                case SubMode::Lower:
                    values.push_back(kLowerOrAlphaShift);
                    cur = mem = SubMode::Lower;
                    break;
                default:  // Alpha: a shift from Lower, a latch from Mixed
                    if (cur == SubMode::Lower) {
                        values.push_back(kLowerOrAlphaShift);
                        cur = SubMode::Alpha;
                    } else {
                        values.push_back(kMixedOrAlpha);
                        cur = mem = SubMode::Alpha;
                    }
                    break;
            }
        }
        values.push_back(e.value);
        const auto needed = static_cast<std::int64_t>((values.size() + 1) / 2) + 1;
        if (needed >= limit) {
            values.resize(before);
            break;
        }
    }
    out.end = s;
    if (values.size() % 2 != 0) values.push_back(kPunctShift);
    out.codewords.reserve(values.size() / 2);
    for (std::size_t i = 0; i < values.size(); i += 2)
        out.codewords.push_back(30 * values[i] + values[i + 1]);
    return out;
}

}  // namespace

TextCompacted textCompaction(Bytes data, std::size_t start, std::int64_t limit) {
    return compactText(data, start, limit);
}

Codewords textFieldToCodewords(std::string_view text) {
    const Bytes bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return compactText(bytes, 0, std::numeric_limits<std::int64_t>::max()).codewords;
}

}  // namespace qv::pdf417
