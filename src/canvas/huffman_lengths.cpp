#include "canvas/huffman_lengths.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qv::png {

void huffmanLengths(std::span<const std::uint32_t> frequencies, int limit,
                    std::span<std::uint8_t> lengths) {
    std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
    // The symbols used, least frequent first, ties in symbol order: sorted as weight and symbol
    // in one key, which needs no buffer and no indirection.
    std::array<std::uint64_t, 320> keys;
    std::size_t n = 0;
    for (std::size_t s = 0; s < frequencies.size() && n < keys.size(); ++s)
        if (frequencies[s] != 0) keys[n++] = std::uint64_t{frequencies[s]} << 16 | s;
    if (n == 0) return;
    if (n == 1) {
        lengths[keys[0] & 0xFFFF] = 1;
        return;
    }
    std::sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(n));
    std::array<std::uint16_t, 320> used;
    for (std::size_t k = 0; k < n; ++k) used[k] = static_cast<std::uint16_t>(keys[k] & 0xFFFF);
    // Two queues: the leaves in order, and the joined nodes, made in order of weight. Node k < n
    // is leaf used[k]; node n + j the j-th join.
    std::array<std::uint64_t, 640> weight;  // written before it is read, as are parent and depth
    std::array<std::uint16_t, 640> parent;
    for (std::size_t k = 0; k < n; ++k) weight[k] = keys[k] >> 16;
    std::size_t leaf = 0, joined = n, made = n;
    auto lightest = [&] {
        if (leaf < n && (joined == made || weight[leaf] <= weight[joined])) return leaf++;
        return joined++;
    };
    while (made < 2 * n - 1) {
        const std::size_t a = lightest();
        const std::size_t b = lightest();
        weight[made] = weight[a] + weight[b];
        parent[a] = parent[b] = static_cast<std::uint16_t>(made);
        ++made;
    }
    // Depths from the root down (a node's parent comes after it), none past the limit: a node
    // that would lie deeper is put at the limit and counted, leaf or not, and the counts per
    // length mended below.
    std::array<std::uint16_t, 640> depth;
    std::array<std::uint32_t, 16> count{};
    int overflow = 0;
    const std::size_t root = 2 * n - 2;
    depth[root] = 0;
    for (std::size_t k = root; k-- > 0;) {
        int d = depth[parent[k]] + 1;
        if (d > limit) d = limit, ++overflow;
        depth[k] = static_cast<std::uint16_t>(d);
        if (k < n) ++count[static_cast<std::size_t>(d)];
    }
    // Each step moves a leaf down from the deepest level that has one above the limit, making
    // room for two of the overflowing leaves: the code stays complete.
    while (overflow > 0) {
        int bits = limit - 1;
        while (count[static_cast<std::size_t>(bits)] == 0) --bits;
        --count[static_cast<std::size_t>(bits)];
        count[static_cast<std::size_t>(bits + 1)] += 2;
        --count[static_cast<std::size_t>(limit)];
        overflow -= 2;
    }
    // The longest codes to the least frequent symbols.
    std::size_t k = 0;
    for (int bits = limit; bits >= 1; --bits) {
        for (std::uint32_t c = 0; c < count[static_cast<std::size_t>(bits)]; ++c)
            lengths[used[k++]] = static_cast<std::uint8_t>(bits);
    }
}

namespace {

constexpr auto kReversedBytes = [] {
    std::array<std::uint8_t, 256> t{};
    for (unsigned v = 0; v < 256; ++v) {
        unsigned r = 0;
        for (int i = 0; i < 8; ++i) r |= ((v >> i) & 1U) << (7 - i);
        t[v] = static_cast<std::uint8_t>(r);
    }
    return t;
}();

}  // namespace

void canonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes) {
    std::array<std::uint16_t, 17> count{};
    for (const std::uint8_t l : lengths)
        if (l != 0) ++count[l];
    std::array<std::uint16_t, 17> next{};
    std::uint32_t code = 0;
    for (std::size_t bits = 1; bits <= 16; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = static_cast<std::uint16_t>(code);
    }
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const int l = lengths[s];
        if (l == 0) {
            codes[s] = 0;
            continue;
        }
        const std::uint32_t c = next[static_cast<std::size_t>(l)]++;
        const std::uint32_t r =
            (std::uint32_t{kReversedBytes[c & 0xFF]} << 8) | kReversedBytes[(c >> 8) & 0xFF];
        codes[s] = static_cast<std::uint16_t>(r >> (16 - l));
    }
}

}  // namespace qv::png
