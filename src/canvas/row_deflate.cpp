#include "canvas/row_deflate.h"

#include <libdeflate.h>

#include <array>
#include <cstring>

namespace qv::png {
namespace {

// Bits written from the low end, as deflate packs them.
class BitWriter {
  public:
    explicit BitWriter(std::uint8_t* out) : out_(out) {}
    void put(std::uint32_t bits, int count) {
        buffer_ |= std::uint64_t{bits} << used_;
        used_ += count;
        while (used_ >= 8) {
            *out_++ = static_cast<std::uint8_t>(buffer_);
            buffer_ >>= 8;
            used_ -= 8;
        }
    }
    std::uint8_t* finish() {
        if (used_ > 0) *out_++ = static_cast<std::uint8_t>(buffer_);
        buffer_ = 0;
        used_ = 0;
        return out_;
    }

  private:
    std::uint8_t* out_;
    std::uint64_t buffer_ = 0;
    int used_ = 0;
};

constexpr std::uint32_t reversed(std::uint32_t code, int length) {
    std::uint32_t r = 0;
    for (int i = 0; i < length; ++i) r |= ((code >> i) & 1u) << (length - 1 - i);
    return r;
}

struct Code {
    std::uint16_t bits;
    std::uint8_t length;
};

// The fixed literal/length codes, bit-reversed for the writer.
constexpr std::array<Code, 288> kLiterals = [] {
    std::array<Code, 288> t{};
    for (std::uint32_t v = 0; v < 288; ++v) {
        std::uint32_t code = 0;
        int length = 0;
        if (v < 144)
            code = 0x30 + v, length = 8;
        else if (v < 256)
            code = 0x190 + (v - 144), length = 9;
        else if (v < 280)
            code = v - 256, length = 7;
        else
            code = 0xC0 + (v - 280), length = 8;
        t[v] = {static_cast<std::uint16_t>(reversed(code, length)),
                static_cast<std::uint8_t>(length)};
    }
    return t;
}();

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

constexpr std::size_t kMaxMatch = 258;

class Encoder {
  public:
    explicit Encoder(std::uint8_t* out) : bits_(out) {}
    void literal(std::uint8_t byte) { bits_.put(kLiterals[byte].bits, kLiterals[byte].length); }
    void end() { bits_.put(kLiterals[256].bits, kLiterals[256].length); }
    // `length` bytes (at least 3) copied from `distance` back, in pieces the codes allow.
    void match(std::size_t length, std::size_t distance) {
        while (length > 0) {
            std::size_t piece = length;
            if (piece > kMaxMatch) piece = length - kMaxMatch < 3 ? length - 3 : kMaxMatch;
            one(piece, distance);
            length -= piece;
        }
    }
    BitWriter& bits() { return bits_; }

  private:
    void one(std::size_t length, std::size_t distance) {
        std::size_t l = kLengthBase.size() - 1;
        while (kLengthBase[l] > length) --l;
        const Code& code = kLiterals[257 + l];
        bits_.put(code.bits, code.length);
        if (kLengthExtra[l] > 0)
            bits_.put(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
        std::size_t d = kDistanceBase.size() - 1;
        while (kDistanceBase[d] > distance) --d;
        bits_.put(reversed(static_cast<std::uint32_t>(d), 5), 5);
        if (kDistanceExtra[d] > 0)
            bits_.put(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
    }
    BitWriter bits_;
};

// A row's bytes: runs of four or more of a byte as the byte and a match one back.
void literalRow(Encoder& e, const std::uint8_t* row, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
        std::size_t run = 1;
        while (i + run < n && row[i + run] == row[i]) ++run;
        e.literal(row[i]);
        if (run >= 4) {
            e.match(run - 1, 1);
        } else {
            for (std::size_t k = 1; k < run; ++k) e.literal(row[i]);
        }
        i += run;
    }
}

}  // namespace

std::size_t rowDeflateBound(std::size_t n) {
    // 9 bits a literal at most, a short match 31 bits for its 3 bytes; the headers, the end code
    // and the checksum.
    return n + n / 2 + 16;
}

std::size_t rowDeflate(const std::uint8_t* data, std::size_t stride, std::size_t rows,
                       std::uint8_t* out) {
    out[0] = 0x78;  // deflate, 32 KiB window
    out[1] = 0x01;  // fastest; the header's check bits make 0x7801 a multiple of 31
    Encoder e(out + 2);
    e.bits().put(1, 1);  // the last block
    e.bits().put(1, 2);  // fixed codes
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
            e.match(alike * stride, stride);
            y += alike;
            continue;
        }
        literalRow(e, row, stride);
        ++y;
    }
    e.end();
    std::uint8_t* end = e.bits().finish();
    const std::uint32_t adler = libdeflate_adler32(1, data, stride * rows);
    for (int i = 0; i < 4; ++i) *end++ = static_cast<std::uint8_t>(adler >> (24 - 8 * i));
    return static_cast<std::size_t>(end - out);
}

}  // namespace qv::png
