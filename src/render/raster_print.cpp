#include "render/raster_print.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

namespace qv::render {
namespace {

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}();

std::uint32_t crc(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) c = kCrcTable[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

void putBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

// Appends a chunk: length, type, data, and the CRC of type and data.
void addChunk(std::vector<std::uint8_t>& out, std::string_view type,
              const std::vector<std::uint8_t>& data) {
    putBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    for (const char c : type) out.push_back(static_cast<std::uint8_t>(c));
    for (const std::uint8_t b : data) out.push_back(b);
    putBe32(out, crc(out.data() + start, out.size() - start));
}

}  // namespace

std::unique_ptr<Bitmap> turned(const Bitmap& bitmap, std::int32_t degrees) {
    const std::int64_t w = bitmap.width();
    const std::int64_t h = bitmap.height();
    const bool sideways = degrees == 90 || degrees == 270;
    auto out = std::make_unique<Bitmap>(static_cast<std::int32_t>(sideways ? h : w),
                                        static_cast<std::int32_t>(sideways ? w : h));
    const auto from = bitmap.pixels();
    const auto to = out->pixels();
    const std::int64_t ow = out->width();
    for (std::int64_t y = 0; y < h; ++y) {
        for (std::int64_t x = 0; x < w; ++x) {
            std::int64_t nx = x, ny = y;
            if (degrees == 90) {
                nx = h - 1 - y;
                ny = x;
            } else if (degrees == 180) {
                nx = w - 1 - x;
                ny = h - 1 - y;
            } else if (degrees == 270) {
                nx = y;
                ny = w - 1 - x;
            }
            to[static_cast<std::size_t>(ny * ow + nx)] = from[static_cast<std::size_t>(y * w + x)];
        }
    }
    return out;
}

bool addPngChunks(std::vector<std::uint8_t>& png, const PngExtras& extras, std::string* error) {
    auto fail = [&](const char* why) {
        if (error) *error = why;
        return false;
    };
    static constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    if (png.size() < 33 || std::memcmp(png.data(), kSignature, 8) != 0)
        return fail("not a PNG stream");
    const std::uint8_t colourType = png[25];
    if (colourType != 2 && colourType != 3) return fail("a PNG colour type without tRNS support");
    // Walk the chunks up to the image data, noting the palette.
    std::size_t at = 8;
    std::size_t palette = 0, paletteSize = 0;
    std::size_t idat = 0;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = be32(&png[at]);
        if (length > png.size() - at - 12) return fail("a truncated PNG chunk");
        if (std::memcmp(&png[at + 4], "PLTE", 4) == 0) {
            palette = at + 8;
            paletteSize = length / 3;
        }
        if (std::memcmp(&png[at + 4], "IDAT", 4) == 0) {
            idat = at;
            break;
        }
        at += 12 + length;
    }
    if (idat == 0) return fail("a PNG without image data");
    std::vector<std::uint8_t> added;
    if (extras.dotsPerInch) {
        const auto perMetre = static_cast<std::uint32_t>(std::lround(*extras.dotsPerInch / 0.0254));
        std::vector<std::uint8_t> data;
        putBe32(data, perMetre);
        putBe32(data, perMetre);
        data.push_back(1);  // the unit is the metre
        addChunk(added, "pHYs", data);
    }
    if (extras.transparent) {
        const TColor t = *extras.transparent;
        const std::uint8_t r = t & 0xFF, g = (t >> 8) & 0xFF, b = (t >> 16) & 0xFF;
        std::vector<std::uint8_t> data;
        if (colourType == 2) {
            for (const std::uint8_t v : {r, g, b}) {
                data.push_back(0);
                data.push_back(v);
            }
        } else {
            std::size_t index = 0;
            while (index < paletteSize &&
                   !(png[palette + 3 * index] == r && png[palette + 3 * index + 1] == g &&
                     png[palette + 3 * index + 2] == b)) {
                ++index;
            }
            // A background that no pixel shows needs no entry.
            if (index < paletteSize) {
                data.assign(index + 1, 255);
                data[index] = 0;
            }
        }
        if (!data.empty()) {
            addChunk(added, "tRNS", data);
        }
    }
    std::vector<std::uint8_t> out;
    out.reserve(png.size() + added.size());
    out.assign(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(idat));
    for (const std::uint8_t b : added) out.push_back(b);
    for (std::size_t i = idat; i < png.size(); ++i) out.push_back(png[i]);
    png.swap(out);
    return true;
}

}  // namespace qv::render
