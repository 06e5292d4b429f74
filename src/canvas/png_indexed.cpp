// PNG straight from an 8-bit raster: its indices are already the palette image, so the only work
// left is dropping colours no pixel shows and packing the rows to the fewest bits.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <vector>

#include "canvas/png_rows.h"
#include "quorvantix/png.h"

namespace qv {
namespace {

// Whether any index equals k, a block at a time: the loop over a block vectorises, and a colour
// that is used at all mostly turns up in the first block.
bool occurs(std::span<const std::uint8_t> indices, std::uint8_t k) {
    constexpr std::size_t kBlock = 4096;
    for (std::size_t from = 0; from < indices.size(); from += kBlock) {
        const std::size_t to = std::min(indices.size(), from + kBlock);
        unsigned char any = 0;
        for (std::size_t i = from; i < to; ++i) any |= static_cast<unsigned char>(indices[i] == k);
        if (any != 0) return true;
    }
    return false;
}

// Index -> index in the PNG palette of the colours used (24-bit colours told apart once), and
// that palette.
struct Compacted {
    std::array<std::uint8_t, 256> to{};
    std::vector<png::Colour> palette;
    bool identity = true;
};

Compacted compact(std::span<const std::uint8_t> indices, std::span<const TColor> colours) {
    Compacted c;
    std::vector<std::uint32_t> seen;
    std::array<bool, 256> used{};
    if (colours.size() <= 16) {
        for (std::size_t k = 0; k < colours.size(); ++k)
            used[k] = occurs(indices, static_cast<std::uint8_t>(k));
    } else {
        for (const std::uint8_t i : indices) used[i] = true;
    }
    for (std::size_t k = 0; k < colours.size(); ++k) {
        if (!used[k]) continue;
        const std::uint32_t rgb = colours[k] & 0xFFFFFF;
        std::size_t at = 0;
        while (at < seen.size() && seen[at] != rgb) ++at;
        if (at == seen.size()) {
            seen.push_back(rgb);
            c.palette.push_back({static_cast<std::uint8_t>(rgb & 0xFF),
                                 static_cast<std::uint8_t>(rgb >> 8),
                                 static_cast<std::uint8_t>(rgb >> 16)});
        }
        c.to[k] = static_cast<std::uint8_t>(at);
        c.identity = c.identity && at == k;
    }
    return c;
}

// One row of indices below 1 << Depth as Depth-bit pixels, leftmost in the high bits; the whole
// bytes by multiplication, which gathers a byte's pixels from as many index bytes at once.
template <int Depth>
void packRow(const std::uint8_t* in, std::size_t width, std::uint8_t* out) {
    constexpr std::size_t perByte = 8 / Depth;
    const std::size_t whole = width / perByte;
    for (std::size_t b = 0; b < whole; ++b, in += perByte) {
        if constexpr (Depth == 1) {
            std::uint64_t x;
            std::memcpy(&x, in, 8);
            out[b] = static_cast<std::uint8_t>((x * 0x8040201008040201ULL) >> 56);
        } else if constexpr (Depth == 2) {
            std::uint32_t x;
            std::memcpy(&x, in, 4);
            out[b] = static_cast<std::uint8_t>((std::uint64_t{x} * 0x40100401ULL) >> 24);
        } else {
            out[b] = static_cast<std::uint8_t>(in[0] << 4 | in[1]);
        }
    }
    const std::size_t rest = width - whole * perByte;
    if (rest == 0) return;
    unsigned byte = 0;
    for (std::size_t k = 0; k < perByte; ++k) byte = (byte << Depth) | (k < rest ? in[k] : 0u);
    out[whole] = static_cast<std::uint8_t>(byte);
}

}  // namespace

std::vector<std::uint8_t> encodePng(const IndexedBitmap& bitmap, const PngOptions& options) {
    if (bitmap.width() == 0 || bitmap.height() == 0 || !bitmap.exact()) return {};
    const auto width = static_cast<std::size_t>(bitmap.width());
    const auto height = static_cast<std::size_t>(bitmap.height());
    std::span<const std::uint8_t> indices = bitmap.indices();
    Compacted c = compact(indices, bitmap.palette());
    if (!c.identity) {
        // Colours drawn over everywhere, or alike but for the unused byte: the indices renumbered.
        thread_local std::vector<std::uint8_t> renumbered;
        renumbered.resize(indices.size());
        for (std::size_t i = 0; i < indices.size(); ++i) renumbered[i] = c.to[indices[i]];
        indices = renumbered;
    }
    png::Rows rows;
    rows.width = width;
    rows.height = height;
    rows.colourType = png::kColourPalette;
    rows.bitDepth = png::bitDepthFor(c.palette.size());
    rows.palette = c.palette.data();
    rows.paletteSize = static_cast<int>(c.palette.size());
    rows.rowBytes = (width * static_cast<std::size_t>(rows.bitDepth) + 7) / 8;
    const auto pack = [&](std::uint8_t* to, std::size_t stride) {
        const std::uint8_t* in = indices.data();
        std::size_t alike = 0;
        for (std::size_t y = 0; y < height; ++y, in += width, to += stride) {
            // A symbol's rows come in runs of alike rows: comparing costs less than packing.
            if (y > 0 && std::memcmp(in, in - width, width) == 0) {
                std::memcpy(to, to - stride, rows.rowBytes);
                ++alike;
                continue;
            }
            switch (rows.bitDepth) {
                case 1:
                    packRow<1>(in, width, to);
                    break;
                case 2:
                    packRow<2>(in, width, to);
                    break;
                case 4:
                    packRow<4>(in, width, to);
                    break;
                default:
                    std::memcpy(to, in, width);
            }
        }
        // Rows in runs (bars, stacked rows, square modules) compress by rows as small as by a
        // general compressor, in a fraction of its time; shapes like MaxiCode's hexagons
        // repeat fewer rows and go to libdeflate.
        return alike * 2 >= height;
    };
    std::vector<std::uint8_t> out;
    if (!png::writeRows(rows, options, pack, out)) return {};
    return out;
}

}  // namespace qv
