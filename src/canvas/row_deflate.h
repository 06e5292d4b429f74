// A zlib stream for image rows, made in one pass: a row like the one above is one long match,
// a run of one byte a match one back, anything else a literal, all in the fixed Huffman codes.
// Barcode rows repeat for the height of a bar or module, so this costs a fraction of a general
// compressor and writes about as few bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv::png {

// Rows further apart than this are not matched whole.
inline constexpr std::size_t kMaxRowDistance = 32768;

// Bytes at most that rowDeflate writes for n bytes of input.
std::size_t rowDeflateBound(std::size_t n);

// Compresses `rows` rows of `stride` bytes each (stride at most 32768 to match whole rows) into
// `out`, which has room for rowDeflateBound bytes; returns the bytes written.
std::size_t rowDeflate(const std::uint8_t* data, std::size_t stride, std::size_t rows,
                       std::uint8_t* out);

}  // namespace qv::png
