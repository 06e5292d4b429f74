#include "canvas/row_deflate.h"

#include <libdeflate.h>

#include <array>
#include <bit>
#include <cstring>
#include <span>
#include <vector>

#include "canvas/huffman_lengths.h"

namespace qv::png {
namespace {

// Bits written from the low end, as deflate packs them.
class BitWriter {
  public:
    explicit BitWriter(std::uint8_t* out) : out_(out) {}
    // At most 32 bits at a time; they leave the buffer four bytes at once.
    void put(std::uint32_t bits, int count) {
        buffer_ |= std::uint64_t{bits} << used_;
        used_ += count;
        if (used_ < 32) return;
        for (int i = 0; i < 4; ++i) out_[i] = static_cast<std::uint8_t>(buffer_ >> (8 * i));
        out_ += 4;
        buffer_ >>= 32;
        used_ -= 32;
    }
    std::uint8_t* finish() {
        for (; used_ > 0; used_ -= 8, buffer_ >>= 8) *out_++ = static_cast<std::uint8_t>(buffer_);
        buffer_ = 0;
        used_ = 0;
        return out_;
    }

  private:
    std::uint8_t* out_;
    std::uint64_t buffer_ = 0;
    int used_ = 0;
};

constexpr std::size_t kLitLen = 286;  // literals, end of block, lengths
constexpr std::size_t kDistances = 30;
constexpr std::uint32_t kEnd = 256;

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Length 3..258 to its code (0..28), distance 1..32768 to its code: looked up, not searched.
constexpr auto kLengthCode = [] {
    std::array<std::uint8_t, 259> t{};
    for (std::size_t l = 3; l < t.size(); ++l) {
        std::uint8_t c = 28;
        while (kLengthBase[c] > l) --c;
        t[l] = c;
    }
    return t;
}();
constexpr auto kDistanceCode = [] {
    std::array<std::uint8_t, 32769> t{};
    std::uint8_t c = 0;
    for (std::size_t d = 1; d < t.size(); ++d) {
        if (c < 29 && kDistanceBase[c + 1U] <= d) ++c;
        t[d] = c;
    }
    return t;
}();

// The fixed codes' lengths: 8, 9, 7 and 8 bits for the four ranges of literal/length symbols.
constexpr auto kFixedLitLen = [] {
    std::array<std::uint8_t, 288> t{};
    for (std::size_t v = 0; v < t.size(); ++v) t[v] = v < 144 ? 8 : v < 256 ? 9 : v < 280 ? 7 : 8;
    return t;
}();

// The fixed distance codes: five bits each.
constexpr auto kFixedDistances = [] {
    std::array<std::uint8_t, 32> t{};
    t.fill(5);
    return t;
}();

struct FixedCodes {
    std::array<std::uint16_t, 288> litLen{};
    std::array<std::uint16_t, 32> distances{};
};
// The fixed codes bit-reversed for the writer, as canonicalCodes would make them.
constexpr FixedCodes kFixed = [] {
    auto reversed = [](std::uint32_t code, int length) {
        std::uint32_t r = 0;
        for (int i = 0; i < length; ++i) r |= ((code >> i) & 1U) << (length - 1 - i);
        return static_cast<std::uint16_t>(r);
    };
    FixedCodes f;
    for (std::uint32_t v = 0; v < 288; ++v) {
        const std::uint32_t code = v < 144   ? 0x30 + v
                                   : v < 256 ? 0x190 + (v - 144)
                                   : v < 280 ? v - 256
                                             : 0xC0 + (v - 280);
        f.litLen[v] = reversed(code, kFixedLitLen[v]);
    }
    for (std::uint32_t d = 0; d < 32; ++d) f.distances[d] = reversed(d, 5);
    return f;
}();

constexpr std::size_t kMaxMatch = 258;

// A literal (length 0, the byte in `value`) or a match of `length` bytes `value` back.
struct Token {
    std::uint16_t length;
    std::uint16_t value;
};

struct Tokens {
    std::vector<Token> storage;  // grows, never shrinks: written from `end` on
    Token* end = nullptr;
    std::array<std::uint32_t, kLitLen> litLen{};
    std::array<std::uint32_t, kDistances> distances{};

    // Room for `n` tokens, none yet.
    void start(std::size_t n) {
        if (storage.size() < n) storage.resize(n);
        end = storage.data();
        litLen.fill(0);
        distances.fill(0);
    }
    std::span<const Token> list() const {
        return {storage.data(), static_cast<std::size_t>(end - storage.data())};
    }
    void literal(std::uint8_t byte) {
        *end++ = {0, byte};
        ++litLen[byte];
    }
    // Split where the codes need it: pieces of at most 258, none shorter than 3.
    void match(std::size_t length, std::size_t distance) {
        while (length > 0) {
            std::size_t piece = length;
            if (piece > kMaxMatch) piece = length - kMaxMatch < 3 ? length - 3 : kMaxMatch;
            *end++ = {static_cast<std::uint16_t>(piece), static_cast<std::uint16_t>(distance)};
            ++litLen[257 + kLengthCode[piece]];
            ++distances[kDistanceCode[distance]];
            length -= piece;
        }
    }
};

// Bytes from a and b alike, at most n, eight at a time.
std::size_t common(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return i + static_cast<std::size_t>(std::countr_zero(x ^ y) / 8);
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

// Bytes from p that equal `byte`, at most n.
std::size_t runOf(const std::uint8_t* p, std::uint8_t byte, std::size_t n) {
    const std::uint64_t all = 0x0101010101010101ULL * byte;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x;
        std::memcpy(&x, p + i, 8);
        if (x != all) return i + static_cast<std::size_t>(std::countr_zero(x ^ all) / 8);
    }
    while (i < n && p[i] == byte) ++i;
    return i;
}

// A row unlike the one above: stretches like the row above as matches one row back, runs of a
// byte as the byte and a match one back, the rest literals.
void rowTokens(Tokens& t, const std::uint8_t* row, const std::uint8_t* above, std::size_t n,
               std::size_t stride) {
    std::size_t i = 0;
    // A byte unlike the one above and the one after is a literal at once: most of such a row.
    while (i < n) {
        if (above != nullptr && row[i] == above[i]) {
            const std::size_t same = common(row + i, above + i, n - i);
            if (same >= 4) {
                t.match(same, stride);
                i += same;
                continue;
            }
        }
        t.literal(row[i]);
        if (i + 1 < n && row[i + 1] == row[i]) {
            const std::size_t run = runOf(row + i + 1, row[i], n - i - 1);
            if (run >= 3) {
                t.match(run, 1);
                i += run;
            }
        }
        ++i;
    }
}

// Every code needs two symbols at least to be complete: unused ones stand in.
void atLeastTwo(std::span<std::uint32_t> frequencies) {
    std::size_t used = 0;
    for (const std::uint32_t f : frequencies) used += f != 0 ? 1 : 0;
    for (std::size_t s = 0; used < 2 && s < frequencies.size(); ++s) {
        if (frequencies[s] == 0) frequencies[s] = 1, ++used;
    }
}

// The code-length sequence as code-length symbols: 0-15 themselves, 16 repeats the last 3-6
// times, 17 and 18 give 3-10 and 11-138 zeros. Each entry: symbol, extra bits, their count.
struct LengthSymbol {
    std::uint8_t symbol, extra, extraBits;
};
void lengthSymbols(std::span<const std::uint8_t> lengths, std::vector<LengthSymbol>& out) {
    for (std::size_t i = 0; i < lengths.size();) {
        const std::uint8_t v = lengths[i];
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == v) ++run;
        i += run;
        if (v == 0) {
            while (run >= 11) {
                const std::size_t k = std::min<std::size_t>(run, 138);
                out.push_back({18, static_cast<std::uint8_t>(k - 11), 7});
                run -= k;
            }
            if (run >= 3) {
                out.push_back({17, static_cast<std::uint8_t>(run - 3), 3});
                run = 0;
            }
            for (; run > 0; --run) out.push_back({0, 0, 0});
            continue;
        }
        out.push_back({v, 0, 0});
        --run;
        while (run >= 3) {
            const std::size_t k = std::min<std::size_t>(run, 6);
            out.push_back({16, static_cast<std::uint8_t>(k - 3), 2});
            run -= k;
        }
        for (; run > 0; --run) out.push_back({v, 0, 0});
    }
}

constexpr std::array<std::uint8_t, 19> kLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                       11, 4,  12, 3, 13, 2, 14, 1, 15};

struct Codes {
    std::array<std::uint8_t, 288> litLenLength{};
    std::array<std::uint16_t, 288> litLenCode{};
    std::array<std::uint8_t, 32> distanceLength{};
    std::array<std::uint16_t, 32> distanceCode{};
};

// The tokens in `codes`, then the end of the block.
void writeTokens(BitWriter& bits, const Tokens& t, const Codes& c) {
    for (const Token& token : t.list()) {
        if (token.length == 0) {
            bits.put(c.litLenCode[token.value], c.litLenLength[token.value]);
            continue;
        }
        const std::size_t l = kLengthCode[token.length];
        bits.put(c.litLenCode[257 + l], c.litLenLength[257 + l]);
        if (kLengthExtra[l] > 0)
            bits.put(static_cast<std::uint32_t>(token.length - kLengthBase[l]), kLengthExtra[l]);
        const std::size_t d = kDistanceCode[token.value];
        bits.put(c.distanceCode[d], c.distanceLength[d]);
        if (kDistanceExtra[d] > 0)
            bits.put(static_cast<std::uint32_t>(token.value - kDistanceBase[d]), kDistanceExtra[d]);
    }
    bits.put(c.litLenCode[kEnd], c.litLenLength[kEnd]);
}

// Bits the tokens take in these lengths, extra bits left out (they are the same in any code).
std::uint64_t cost(const Tokens& t, std::span<const std::uint8_t> litLen,
                   std::span<const std::uint8_t> distances) {
    std::uint64_t bits = litLen[kEnd];
    for (std::size_t s = 0; s < kLitLen; ++s) bits += std::uint64_t{t.litLen[s]} * litLen[s];
    for (std::size_t s = 0; s < kDistances; ++s)
        bits += std::uint64_t{t.distances[s]} * distances[s];
    return bits;
}

}  // namespace

std::size_t rowDeflateBound(std::size_t n) {
    // Never more than the fixed codes take: 9 bits a literal at most, a short match 31 bits for
    // its 3 bytes; the headers, the end code and the checksum.
    return n + n / 2 + 16;
}

std::size_t rowDeflate(const std::uint8_t* data, std::size_t stride, std::size_t rows,
                       std::uint8_t* out) {
    thread_local Tokens t;
    t.start(stride * rows);  // a token covers a byte at least
    const bool rowMatches = stride <= kMaxRowDistance && stride >= 3;
    for (std::size_t y = 0; y < rows;) {
        const std::uint8_t* row = data + y * stride;
        std::size_t alike = 0;
        if (rowMatches && y > 0) {
            while (y + alike < rows &&
                   std::memcmp(row + alike * stride, row + alike * stride - stride, stride) == 0)
                ++alike;
        }
        if (alike > 0) {
            t.match(alike * stride, stride);
            y += alike;
            continue;
        }
        rowTokens(t, row, rowMatches && y > 0 ? row - stride : nullptr, stride, stride);
        ++y;
    }

    // Codes made for these tokens, unless the fixed ones come out no longer.
    Codes c;
    std::array<std::uint32_t, kLitLen> litLen = t.litLen;
    litLen[kEnd] = 1;
    atLeastTwo(litLen);
    std::array<std::uint32_t, kDistances> distances = t.distances;
    atLeastTwo(distances);
    huffmanLengths(litLen, 15, std::span(c.litLenLength).first(kLitLen));
    huffmanLengths(distances, 15, std::span(c.distanceLength).first(kDistances));
    std::size_t nLitLen = kLitLen, nDistances = kDistances;
    while (c.litLenLength[nLitLen - 1] == 0) --nLitLen;
    while (c.distanceLength[nDistances - 1] == 0) --nDistances;
    thread_local std::vector<LengthSymbol> header;
    header.clear();
    lengthSymbols(std::span(c.litLenLength).first(nLitLen), header);
    lengthSymbols(std::span(c.distanceLength).first(nDistances), header);
    std::array<std::uint32_t, 19> lengthFrequencies{};
    for (const LengthSymbol& s : header) ++lengthFrequencies[s.symbol];
    atLeastTwo(lengthFrequencies);
    std::array<std::uint8_t, 19> lengthLengths{};
    huffmanLengths(lengthFrequencies, 7, lengthLengths);
    std::array<std::uint16_t, 19> lengthCodes{};
    canonicalCodes(lengthLengths, lengthCodes);
    std::size_t nLengths = kLengthOrder.size();
    while (nLengths > 4 && lengthLengths[kLengthOrder[nLengths - 1]] == 0) --nLengths;
    std::uint64_t headerBits = 5 + 5 + 4 + 3 * nLengths;
    for (const LengthSymbol& s : header) headerBits += lengthLengths[s.symbol] + s.extraBits;
    const bool dynamic = headerBits + cost(t, c.litLenLength, c.distanceLength) <
                         cost(t, kFixedLitLen, kFixedDistances);

    out[0] = 0x78;  // deflate, 32 KiB window
    out[1] = 0x01;  // fastest; the header's check bits make 0x7801 a multiple of 31
    BitWriter bits(out + 2);
    bits.put(1, 1);  // the last block
    if (dynamic) {
        bits.put(2, 2);
        bits.put(static_cast<std::uint32_t>(nLitLen - 257), 5);
        bits.put(static_cast<std::uint32_t>(nDistances - 1), 5);
        bits.put(static_cast<std::uint32_t>(nLengths - 4), 4);
        for (std::size_t i = 0; i < nLengths; ++i) bits.put(lengthLengths[kLengthOrder[i]], 3);
        for (const LengthSymbol& s : header) {
            bits.put(lengthCodes[s.symbol], lengthLengths[s.symbol]);
            if (s.extraBits > 0) bits.put(s.extra, s.extraBits);
        }
        canonicalCodes(std::span(c.litLenLength).first(nLitLen), c.litLenCode);
        canonicalCodes(std::span(c.distanceLength).first(nDistances), c.distanceCode);
    } else {
        bits.put(1, 2);
        std::copy(kFixedLitLen.begin(), kFixedLitLen.end(), c.litLenLength.begin());
        c.distanceLength = kFixedDistances;
        c.litLenCode = kFixed.litLen;
        c.distanceCode = kFixed.distances;
    }
    writeTokens(bits, t, c);
    std::uint8_t* end = bits.finish();
    const std::uint32_t adler = libdeflate_adler32(1, data, stride * rows);
    for (int i = 0; i < 4; ++i) *end++ = static_cast<std::uint8_t>(adler >> (24 - 8 * i));
    return static_cast<std::size_t>(end - out);
}

}  // namespace qv::png
