#include <png.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "quorvantix/png.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(Png, RoundTripKeepsEveryPixel) {
    Bitmap bm(7, 5);
    std::uint32_t v = 0x123456;
    for (auto& p : bm.pixels()) {
        p = v & 0xFFFFFF;
        v = v * 1103515245u + 12345u;
    }
    bm.pixels()[0] = 0x0000FF;  // red
    const std::vector<std::uint8_t> png = encodePng(bm);
    ASSERT_FALSE(png.empty());

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_memory(&image, png.data(), png.size()), 0);
    EXPECT_EQ(image.width, 7u);
    EXPECT_EQ(image.height, 5u);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[1], 0);
    EXPECT_EQ(rgb[2], 0);
    for (std::size_t i = 0; i < bm.pixels().size(); ++i) {
        const TColor back = rgb[3 * i] | (rgb[3 * i + 1] << 8) | (rgb[3 * i + 2] << 16);
        ASSERT_EQ(back, bm.pixels()[i]) << i;
    }
    EXPECT_TRUE(encodePng(Bitmap(0, 3)).empty());
}

// Pixels as the reader sees them, as 0x00BBGGRR; empty if it refuses the file.
std::vector<TColor> decodeRgb(const std::vector<std::uint8_t>& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return {};
    std::vector<TColor> pixels;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(rgb[i] | (rgb[i + 1] << 8) | (rgb[i + 2] << 16));
    return pixels;
}

struct Header {
    int bitDepth = 0;
    int colourType = -1;
    std::vector<TColor> palette;
};

// Bit depth and colour type from IHDR, and the PLTE entries, read from the chunks themselves.
Header readHeader(const std::vector<std::uint8_t>& png) {
    Header h;
    if (png.size() < 33) return h;
    h.bitDepth = png[24];
    h.colourType = png[25];
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length =
            (std::size_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        if (std::memcmp(&png[at + 4], "PLTE", 4) == 0 && at + 8 + length <= png.size()) {
            for (std::size_t i = at + 8; i + 2 < at + 8 + length; i += 3)
                h.palette.push_back(png[i] | (png[i + 1] << 8) | (png[i + 2] << 16));
        }
        at += 12 + length;
    }
    return h;
}

// Every chunk's CRC checks out and the resolution is written in pixels per metre, or not at all.
TEST(Png, ResolutionAndChunksAsReadersExpect) {
    struct Case {
        double dpi;
        std::uint32_t perMetre;  // 0: no pHYs chunk
    };
    const Case cases[] = {{0, 0}, {-5, 0}, {72, 2835}, {203.2, 8000}, {300, 11811}};
    Bitmap bm(33, 9);
    for (std::size_t i = 0; i < bm.pixels().size(); ++i) bm.pixels()[i] = i % 3 ? 0 : 0xFFFFFF;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        const auto png = encodePng(bm, {.dpi = c.dpi});
        std::vector<std::string> types;
        std::uint32_t perMetre = 0;
        auto big32 = [&](std::size_t at) {
            return (std::uint32_t{png[at]} << 24) | (std::uint32_t{png[at + 1]} << 16) |
                   (std::uint32_t{png[at + 2]} << 8) | png[at + 3];
        };
        for (std::size_t at = 8; at + 12 <= png.size();) {
            const std::size_t length = big32(at);
            ASSERT_LE(at + 12 + length, png.size());
            types.emplace_back(reinterpret_cast<const char*>(&png[at + 4]), 4);
            EXPECT_EQ(big32(at + 8 + length), crc32(0, &png[at + 4], static_cast<uInt>(length + 4)))
                << types.back();
            if (types.back() == "pHYs") {
                EXPECT_EQ(big32(at + 12), big32(at + 8));
                EXPECT_EQ(png[at + 16], 1);  // metres
                perMetre = big32(at + 8);
            }
            at += 12 + length;
        }
        const std::vector<std::string> plain = {"IHDR", "sRGB", "PLTE", "IDAT", "IEND"};
        const std::vector<std::string> withRes = {"IHDR", "sRGB", "pHYs", "PLTE", "IDAT", "IEND"};
        EXPECT_EQ(types, c.perMetre ? withRes : plain);
        EXPECT_EQ(perMetre, c.perMetre);
        EXPECT_EQ(decodeRgb(png), std::vector<TColor>(bm.pixels().begin(), bm.pixels().end()));
    }
}

TEST(Png, FewColoursWriteIndexedWithTheSmallestDepthAndKeepEveryPixel) {
    struct Case {
        std::size_t colours;
        int bitDepth;
        int colourType;
    };
    const Case cases[] = {
        {1, 1, PNG_COLOR_TYPE_PALETTE},  {2, 1, PNG_COLOR_TYPE_PALETTE},
        {3, 2, PNG_COLOR_TYPE_PALETTE},  {4, 2, PNG_COLOR_TYPE_PALETTE},
        {5, 4, PNG_COLOR_TYPE_PALETTE},  {16, 4, PNG_COLOR_TYPE_PALETTE},
        {17, 8, PNG_COLOR_TYPE_PALETTE}, {256, 8, PNG_COLOR_TYPE_PALETTE},
        {257, 8, PNG_COLOR_TYPE_RGB},
    };
    // Odd widths leave part of the last byte of each packed row unused.
    for (const std::int32_t width : {1, 7, 9, 33}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.colours << " colours, " << width << " wide");
            // 0x9E3779 is odd, so its multiples are distinct 24-bit colours.
            auto colour = [](std::size_t k) {
                return static_cast<TColor>(k * 0x9E3779u) & 0xFFFFFF;
            };
            const auto height = static_cast<std::int32_t>(2 * c.colours / width + 3);
            Bitmap bm(width, height);
            std::vector<TColor> expected;
            std::vector<TColor> firstSeen;
            std::size_t i = 0;
            for (auto& p : bm.pixels()) {
                // Every colour shows up, in runs of two, then in a scrambled order.
                const std::size_t k = i < 2 * c.colours ? i / 2 : (i * 7) % c.colours;
                expected.push_back(colour(k));
                if (i < 2 * c.colours && i % 2 == 0) firstSeen.push_back(colour(k));
                // The unused top byte plays no part in the colour.
                p = colour(k) | (i % 3 == 0 ? 0xAB000000u : 0u);
                ++i;
            }
            const std::vector<std::uint8_t> png = encodePng(bm);
            ASSERT_FALSE(png.empty());
            EXPECT_EQ(decodeRgb(png), expected);
            const Header h = readHeader(png);
            EXPECT_EQ(h.bitDepth, c.bitDepth);
            EXPECT_EQ(h.colourType, c.colourType);
            // Colours in order of first appearance; an RGB image carries no palette.
            EXPECT_EQ(h.palette,
                      c.colourType == PNG_COLOR_TYPE_PALETTE ? firstSeen : std::vector<TColor>{});
            EXPECT_EQ(encodePng(bm), png);
        }
    }
}

TEST(Png, LibpngRefusalGivesNoImage) {
    // Past libpng's default width limit, for either kind of image.
    for (const std::size_t colours : {2u, 300u}) {
        Bitmap bm(1'000'001, 1);
        std::size_t i = 0;
        for (auto& p : bm.pixels()) p = static_cast<TColor>(i++ % colours);
        EXPECT_TRUE(encodePng(bm).empty()) << colours;
    }
}

class AtomicWrite : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/qv-atomic-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    static std::string contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir;
};

TEST_F(AtomicWrite, WritesAndReplaces) {
    const std::string path = (dir / "out.png").string();
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, "first", 5, &error)) << error;
    ASSERT_TRUE(writeFileAtomically(path, "second!", 7, &error)) << error;
    EXPECT_EQ(contents(path), "second!");
    EXPECT_EQ(entries(), 1u);  // no temporary left behind
    ASSERT_TRUE(writeFileAtomically(path, nullptr, 0, &error)) << error;
    EXPECT_EQ(contents(path), "");
}

TEST_F(AtomicWrite, FailuresSayWhereAndWhyAndLeaveNothing) {
    struct Case {
        std::string path;
        std::string reason;
    };
    fs::create_directory(dir / "taken");
    std::ofstream(dir / "plain") << "x";
    const Case cases[] = {
        {(dir / "plain" / "out.png").string(), std::strerror(ENOTDIR)},
        {(dir / "missing" / "out.png").string(), std::strerror(ENOENT)},
        {(dir / "taken").string(), std::strerror(EISDIR)},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(writeFileAtomically(c.path, "data", 4, &error));
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    EXPECT_EQ(entries(), 2u);  // only "taken", still a directory, and "plain"
    EXPECT_TRUE(fs::is_directory(dir / "taken"));
    EXPECT_FALSE(writeFileAtomically("", "x", 1, nullptr));
}

TEST_F(AtomicWrite, UnwritableDirectory) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    const std::string path = (dir / "out.png").string();
    auto refused = [&] {
        std::string error;
        return !writeFileAtomically(path, "data", 4, &error) &&
               error.find(path) != std::string::npos &&
               error.find(std::strerror(EACCES)) != std::string::npos;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(refused());
    } else {
        // Permissions do not bind the superuser: try as an unprivileged user in a child.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && refused();
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(entries(), 0u);
}

}  // namespace
}  // namespace qv
