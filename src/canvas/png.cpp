#include "quorvantix/png.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <new>
#include <span>
#include <vector>

namespace qv {
namespace {

// What the writer needs, already laid out as PNG rows.
struct Rows {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    const png_color* palette = nullptr;
    int paletteSize = 0;
    const std::uint8_t* data = nullptr;
    std::size_t rowBytes = 0;
};

// Most images hold two colours: this settles them in one pass the compiler can vectorise, with no
// table. False if there are more.
bool indexTwoColours(std::span<const std::uint32_t> pixels, std::vector<std::uint32_t>& palette,
                     std::uint8_t* indices) {
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
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t colour = pixels[i] & 0xFFFFFF;
        indices[i] = colour == second;
        others |= static_cast<unsigned>(colour != first) & static_cast<unsigned>(colour != second);
    }
    palette.push_back(second);
    return others == 0;
}

// Up to 256 colours (0x00BBGGRR) in order of first appearance, and each pixel's index into them.
// False as soon as a 257th colour turns up.
bool indexColours(std::span<const std::uint32_t> pixels, std::vector<std::uint32_t>& palette,
                  std::vector<std::uint8_t>& indices) {
    // A small hashed cache in front of the palette: colours alternate every few pixels in a
    // barcode, so a branch on "same colour as the last pixel" would mispredict all the time.
    struct Slot {
        std::uint32_t colour = ~0u;  // no 24-bit colour
        std::uint32_t index = 0;
    };
    indices.resize(pixels.size());
    if (indexTwoColours(pixels, palette, indices.data())) return true;
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

int bitDepthFor(std::size_t colours) {
    if (colours <= 2) return 1;
    if (colours <= 4) return 2;
    if (colours <= 16) return 4;
    return 8;
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

void appendBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        out->insert(out->end(), data, data + size);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown) png_error(png, "out of memory");
}

void flushNothing(png_structp) {}

[[noreturn]] void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// A libpng error longjmps back into this frame: it holds nothing that needs destroying.
bool writeRows(const Rows& rows, std::vector<std::uint8_t>& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, rows.width, rows.height, rows.bitDepth, rows.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (rows.palette != nullptr) {
        png_set_PLTE(png, info, rows.palette, rows.paletteSize);
        // Index rows gain nothing from filters, and past the fastest level deflate costs far
        // more time than it saves bytes on barcodes. RGB keeps libpng's defaults.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, Z_BEST_SPEED);
    }
    png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_write_info(png, info);
    for (png_uint_32 y = 0; y < rows.height; ++y) png_write_row(png, rows.data + y * rows.rowBytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap) {
    // A PNG has at least one pixel each way: an empty bitmap has no image.
    if (bitmap.width() == 0 || bitmap.height() == 0) return {};
    const auto width = static_cast<std::size_t>(bitmap.width());
    const auto height = static_cast<std::size_t>(bitmap.height());
    Rows rows;
    rows.width = static_cast<png_uint_32>(width);
    rows.height = static_cast<png_uint_32>(height);

    std::vector<std::uint32_t> colours;
    std::vector<png_color> palette;
    std::vector<std::uint8_t> data;
    if (indexColours(bitmap.pixels(), colours, data)) {
        for (const std::uint32_t c : colours)
            palette.push_back({static_cast<png_byte>(c & 0xFF), static_cast<png_byte>(c >> 8),
                               static_cast<png_byte>(c >> 16)});
        rows.colourType = PNG_COLOR_TYPE_PALETTE;
        rows.bitDepth = bitDepthFor(palette.size());
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
    rows.data = data.data();

    std::vector<std::uint8_t> out;
    out.reserve(1024 + rows.rowBytes * height / 8);
    if (!writeRows(rows, out)) return {};
    return out;
}

}  // namespace qv
