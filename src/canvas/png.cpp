#include "quorvantix/png.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>
#include <vector>

#include "canvas/png_rows.h"
#include "canvas/row_deflate.h"

namespace qv {
namespace {

// Most images hold two colours: this settles them in one pass the compiler can vectorise, with no
// table. False if there are more.
bool indexTwoColours(std::span<const std::uint32_t> pixels, std::size_t width,
                     std::vector<std::uint32_t>& palette, std::uint8_t* indices) {
    const std::uint32_t first = pixels[0] & 0xFFFFFF;
    std::uint32_t second = first;
    for (const std::uint32_t pixel : pixels) {
        if ((pixel & 0xFFFFFF) != first) {
            second = pixel & 0xFFFFFF;
            break;
        }
    }
    palette.assign({first});
    if (second == first) {
        std::fill_n(indices, pixels.size(), std::uint8_t{0});
        return true;
    }
    unsigned others = 0;
    // Row by row: a row like the one above takes its indices, as most rows of a symbol do.
    for (std::size_t at = 0; at < pixels.size(); at += width) {
        if (at > 0 &&
            std::memcmp(&pixels[at], &pixels[at - width], width * sizeof pixels[0]) == 0) {
            std::memcpy(indices + at, indices + at - width, width);
            continue;
        }
        for (std::size_t i = at; i < at + width; ++i) {
            const std::uint32_t colour = pixels[i] & 0xFFFFFF;
            indices[i] = colour == second;
            others |=
                static_cast<unsigned>(colour != first) & static_cast<unsigned>(colour != second);
        }
    }
    palette.push_back(second);
    return others == 0;
}

// Up to 256 colours (0x00BBGGRR) in order of first appearance, and each pixel's index into them.
// False as soon as a 257th colour turns up.
bool indexColours(std::span<const std::uint32_t> pixels, std::size_t width,
                  std::vector<std::uint32_t>& palette, std::vector<std::uint8_t>& indices) {
    // A small hashed cache in front of the palette: colours alternate every few pixels in a
    // barcode, so a branch on "same colour as the last pixel" would mispredict all the time.
    struct Slot {
        std::uint32_t colour = ~0u;  // no 24-bit colour
        std::uint32_t index = 0;
    };
    indices.resize(pixels.size());
    if (indexTwoColours(pixels, width, palette, indices.data())) return true;
    std::array<Slot, 256> cache{};
    palette.clear();
    std::uint8_t* out = indices.data();
    for (const std::uint32_t pixel : pixels) {
        const std::uint32_t colour = pixel & 0xFFFFFF;
        Slot& slot = cache[(colour * 0x9E3779B1u) >> 24];
        if (slot.colour != colour) {
            std::size_t i = 0;
            while (i < palette.size() && palette[i] != colour) ++i;
            if (i == palette.size()) {
                if (i == 256) return false;
                palette.push_back(colour);
            }
            slot = {colour, static_cast<std::uint32_t>(i)};
        }
        *out++ = static_cast<std::uint8_t>(slot.index);
    }
    return true;
}

// Packs rows of one index per byte into rows of Depth bits per pixel, leftmost pixel in the high
// bits. A packed row is never longer than an unpacked one, so this runs in place.
template <int Depth>
void packRows(std::uint8_t* data, std::size_t width, std::size_t height, std::size_t rowBytes) {
    constexpr std::size_t perByte = 8 / Depth;
    auto pack = [](const std::uint8_t* in, std::size_t n) {
        unsigned byte = 0;
        for (std::size_t k = 0; k < perByte; ++k) byte = (byte << Depth) | (k < n ? in[k] : 0u);
        return static_cast<std::uint8_t>(byte);
    };
    const std::size_t whole = width / perByte;
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* in = data + y * width;
        std::uint8_t* out = data + y * rowBytes;
        for (std::size_t b = 0; b < whole; ++b) out[b] = pack(in + b * perByte, perByte);
        if (whole < rowBytes) out[whole] = pack(in + whole * perByte, width - whole * perByte);
    }
}

// One compressor per thread and level, kept for the life of the thread: setting one up costs more
// than compressing a barcode.
libdeflate_compressor* compressor(int level) {
    struct Kept {
        std::array<libdeflate_compressor*, 13> byLevel{};
        ~Kept() {
            for (auto* c : byLevel)
                if (c != nullptr) libdeflate_free_compressor(c);
        }
    };
    thread_local Kept kept;
    auto*& c = kept.byLevel[static_cast<std::size_t>(level)];
    if (c == nullptr) c = libdeflate_alloc_compressor(level);
    return c;
}

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v >> 24),
                               static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    out.insert(out.end(), b, b + 4);
}

// A chunk: length, type, data, and the CRC of type and data. `fill` writes `size` bytes of data.
template <typename Fill>
void chunk(std::vector<std::uint8_t>& out, const char (&type)[5], std::size_t size, Fill fill) {
    putBig32(out, static_cast<std::uint32_t>(size));
    const std::size_t from = out.size();
    out.insert(out.end(), type, type + 4);
    out.resize(from + 4 + size);
    fill(out.data() + from + 4);
    putBig32(out, libdeflate_crc32(0, out.data() + from, size + 4));
}

}  // namespace

namespace png {

int bitDepthFor(std::size_t colours) {
    if (colours <= 2) return 1;
    if (colours <= 4) return 2;
    if (colours <= 16) return 4;
    return 8;
}

bool writeRows(const Rows& rows, const PngOptions& options, const RowFill& fill,
               std::vector<std::uint8_t>& out) {
    if (rows.width > kMaxSide || rows.height > kMaxSide) return false;
    // Each row behind its filter byte: none, as index rows gain nothing from filters.
    const std::size_t stride = rows.rowBytes + 1;
    thread_local std::vector<std::uint8_t> filtered;
    filtered.resize(stride * rows.height);
    for (std::size_t y = 0; y < rows.height; ++y) filtered[y * stride] = 0;
    const bool repeated = fill(filtered.data() + 1, stride);
    // Past the fastest level deflate costs far more time than it saves bytes on barcodes.
    const bool byRows = repeated && stride <= kMaxRowDistance;
    libdeflate_compressor* c = byRows ? nullptr : compressor(rows.palette != nullptr ? 1 : 6);
    if (!byRows && c == nullptr) return false;
    const std::size_t bound = byRows ? rowDeflateBound(filtered.size())
                                     : libdeflate_zlib_compress_bound(c, filtered.size());

    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.assign(kSignature, kSignature + sizeof kSignature);
    out.reserve(128 + 3 * static_cast<std::size_t>(rows.paletteSize) + bound);
    chunk(out, "IHDR", 13, [&](std::uint8_t* d) {
        for (int i = 0; i < 4; ++i) {
            d[i] = static_cast<std::uint8_t>(rows.width >> (24 - 8 * i));
            d[4 + i] = static_cast<std::uint8_t>(rows.height >> (24 - 8 * i));
        }
        d[8] = static_cast<std::uint8_t>(rows.bitDepth);
        d[9] = static_cast<std::uint8_t>(rows.colourType);
        d[10] = d[11] = d[12] = 0;  // deflate, adaptive filters, no interlace
    });
    chunk(out, "sRGB", 1, [](std::uint8_t* d) { d[0] = 0; });  // perceptual
    if (options.dpi > 0) {
        // Pixels per metre, the unit PNG knows.
        const auto perMetre = static_cast<std::uint32_t>(std::lround(options.dpi / 0.0254));
        chunk(out, "pHYs", 9, [&](std::uint8_t* d) {
            for (int i = 0; i < 4; ++i)
                d[i] = d[4 + i] = static_cast<std::uint8_t>(perMetre >> (24 - 8 * i));
            d[8] = 1;  // metres
        });
    }
    if (rows.palette != nullptr)
        chunk(out, "PLTE", 3 * static_cast<std::size_t>(rows.paletteSize), [&](std::uint8_t* d) {
            for (int i = 0; i < rows.paletteSize; ++i) {
                d[3 * i] = rows.palette[i].red;
                d[3 * i + 1] = rows.palette[i].green;
                d[3 * i + 2] = rows.palette[i].blue;
            }
        });
    // IDAT is sized once the data is compressed: compress straight into its place.
    const std::size_t lengthAt = out.size();
    putBig32(out, 0);
    out.insert(out.end(), {'I', 'D', 'A', 'T'});
    out.resize(lengthAt + 8 + bound);
    const std::size_t packed =
        byRows ? rowDeflate(filtered.data(), stride, rows.height, out.data() + lengthAt + 8)
               : libdeflate_zlib_compress(c, filtered.data(), filtered.size(),
                                          out.data() + lengthAt + 8, bound);
    if (packed == 0 || packed > 0x7FFFFFFF) return false;
    out.resize(lengthAt + 8 + packed);
    for (int i = 0; i < 4; ++i)
        out[lengthAt + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(packed >> (24 - 8 * i));
    putBig32(out, libdeflate_crc32(0, out.data() + lengthAt + 4, packed + 4));
    chunk(out, "IEND", 0, [](std::uint8_t*) {});
    return true;
}

}  // namespace png

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap, const PngOptions& options) {
    // A PNG has at least one pixel each way: an empty bitmap has no image.
    if (bitmap.width() == 0 || bitmap.height() == 0) return {};
    const auto width = static_cast<std::size_t>(bitmap.width());
    const auto height = static_cast<std::size_t>(bitmap.height());
    png::Rows rows;
    rows.width = width;
    rows.height = height;

    std::vector<std::uint32_t> colours;
    std::vector<png::Colour> palette;
    std::vector<std::uint8_t> data;
    if (indexColours(bitmap.pixels(), width, colours, data)) {
        for (const std::uint32_t c : colours)
            palette.push_back({static_cast<std::uint8_t>(c & 0xFF),
                               static_cast<std::uint8_t>(c >> 8),
                               static_cast<std::uint8_t>(c >> 16)});
        rows.colourType = png::kColourPalette;
        rows.bitDepth = png::bitDepthFor(palette.size());
        rows.palette = palette.data();
        rows.paletteSize = static_cast<int>(palette.size());
        rows.rowBytes = (width * static_cast<std::size_t>(rows.bitDepth) + 7) / 8;
        if (rows.bitDepth == 1) packRows<1>(data.data(), width, height, rows.rowBytes);
        if (rows.bitDepth == 2) packRows<2>(data.data(), width, height, rows.rowBytes);
        if (rows.bitDepth == 4) packRows<4>(data.data(), width, height, rows.rowBytes);
    } else {
        data.clear();
        data.reserve(width * height * 3);
        for (const std::uint32_t p : bitmap.pixels()) {
            // 0x00BBGGRR: red is the low byte.
            data.push_back(static_cast<std::uint8_t>(p & 0xFF));
            data.push_back(static_cast<std::uint8_t>((p >> 8) & 0xFF));
            data.push_back(static_cast<std::uint8_t>((p >> 16) & 0xFF));
        }
        rows.rowBytes = width * 3;
    }
    std::vector<std::uint8_t> out;
    // As for 8-bit images: rows mostly alike (bars, stacked rows, square modules) compress by
    // rows.
    const auto copyRows = [&](std::uint8_t* to, std::size_t stride) {
        std::size_t alike = 0;
        for (std::size_t y = 0; y < height; ++y) {
            const std::uint8_t* row = data.data() + y * rows.rowBytes;
            if (y > 0 && std::memcmp(row, row - rows.rowBytes, rows.rowBytes) == 0) ++alike;
            std::memcpy(to + y * stride, row, rows.rowBytes);
        }
        return alike * 2 >= height;
    };
    if (!png::writeRows(rows, options, copyRows, out)) return {};
    return out;
}

}  // namespace qv
