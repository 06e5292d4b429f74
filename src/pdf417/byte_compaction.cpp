#include "pdf417/compaction.h"

namespace qv::pdf417 {

std::size_t byteCompaction(Bytes data, std::size_t start, Codewords& symbol, std::int64_t limit) {
    const auto n = data.size();
    limit = std::min<std::int64_t>(limit, static_cast<std::int64_t>(symbol.size()));
    std::size_t s = start;
    std::int64_t j = 2;
    if (symbol.size() > 1) symbol[1] = kByteLatch;
    while (s + 5 < n && j + 5 <= limit) {
        std::uint64_t value = 0;
        for (int i = 0; i < 6; ++i) value = (value << 8) | data[s + static_cast<std::size_t>(i)];
        for (int i = 4; i >= 0; --i) {
            symbol[static_cast<std::size_t>(j + i)] = static_cast<std::int32_t>(value % 900);
            value /= 900;
        }
        s += 6;
        j += 5;
        symbol[1] = kByteLatchSix;
    }
    // A tail of single bytes needs the latch that allows it.
    if (s < n && j < limit) symbol[1] = kByteLatch;
    while (s < n && j < limit) symbol[static_cast<std::size_t>(j++)] = data[s++];
    return s;
}

}  // namespace qv::pdf417
