// A zlib stream for image rows: a row like the one above is one long match, stretches like the
// row above and runs of one byte are matches, anything else a literal, in Huffman codes made for
// the image (or the fixed ones where those come out shorter). Barcode rows repeat for the
// height of a bar or module, so this costs a fraction of a general compressor's time and
// writes about as few bytes.
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
