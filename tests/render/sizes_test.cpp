// Sizes as people mean them, measured in the images the host layer makes.
#include <gtest/gtest.h>

#include <fstream>

#include "decode.h"
#include "image_file.h"
#include "quorvantix/host.h"

namespace qv {
namespace {

using cli::test::Image;
using cli::test::readPng;
using cli::test::TempDir;
using cli::test::toBitmap;

struct Made {
    Image image;
    SymbolStatus status = SymbolStatus::Ok;
};

Made make(const std::string& control, std::vector<std::pair<std::string, std::string>> properties,
          std::vector<std::pair<std::string, std::string>> options = {}) {
    SymbolRequest request;
    request.control = control;
    request.properties = std::move(properties);
    for (const auto& [name, value] : options)
        EXPECT_EQ(setHostOption(request.options, name, value), std::nullopt) << name;
    const SymbolResult result = makeSymbol(request, ImageFormat::Png);
    Made made;
    made.status = result.status;
    if (result.images.empty() || !result.images.front().ok()) return made;
    TempDir dir;
    const auto& bytes = result.images.front().bytes;
    std::ofstream(dir.file("s.png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    made.image = readPng(dir.file("s.png"));
    return made;
}

struct Ink {
    std::int64_t left = -1, top = -1, right = -1, bottom = -1;  // inclusive
    std::int64_t pixels = 0;
};

Ink inkOf(const Image& image) {
    Ink ink;
    for (std::uint32_t y = 0; y < image.height; ++y)
        for (std::uint32_t x = 0; x < image.width; ++x) {
            if (image.pixel(x, y) == 0xFFFFFF) continue;
            ++ink.pixels;
            if (ink.left < 0 || x < ink.left) ink.left = x;
            if (ink.right < x) ink.right = x;
            if (ink.top < 0) ink.top = y;
            ink.bottom = y;
        }
    return ink;
}

TEST(Sizes, SizeCentresTheSymbolAndItStillReads) {
    struct Case {
        std::string control;
        std::vector<std::pair<std::string, std::string>> properties;
        std::string size;
        ZXing::BarcodeFormats format;
        std::string text;
    };
    const Case cases[] = {
        {"barcode1d",
         {{"barType", "CODE128"}, {"Code", "CENTRE"}, {"Font", "none"}},
         "400x200",
         ZXing::BarcodeFormat::Code128,
         "CENTRE"},
        {"barcode1d",
         {{"barType", "EAN13"}, {"Code", "5901234123457"}, {"Font", "none"}},
         "301x151",
         ZXing::BarcodeFormat::EAN13,
         "5901234123457"},
        {"datamatrix", {{"Code", "centre"}}, "200x200", ZXing::BarcodeFormat::DataMatrix, "centre"},
        {"pdf417", {{"Code", "centre"}}, "500x300", ZXing::BarcodeFormat::PDF417, "centre"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control + " " + c.size);
        const Made made = make(c.control, c.properties, {{"size", c.size}});
        ASSERT_EQ(made.status, SymbolStatus::Ok);
        ASSERT_TRUE(made.image.ok);
        const Ink ink = inkOf(made.image);
        ASSERT_GT(ink.pixels, 0);
        const std::int64_t w = made.image.width, h = made.image.height;
        EXPECT_NEAR(ink.left, w - 1 - ink.right, 1);
        EXPECT_NEAR(ink.top, h - 1 - ink.bottom, 1);
        EXPECT_EQ(test::decode(*toBitmap(made.image), c.format).text, c.text);
    }
}

TEST(Sizes, TextAboveTheBarsIsInsideTheFittedImage) {
    for (const std::string height : {"10", "40", "90"}) {
        SCOPED_TRACE(height);
        const std::vector<std::pair<std::string, std::string>> common = {
            {"barType", "CODE128"}, {"Code", "ON TOP"}, {"Font.Height", height}};
        auto above = common, below = common;
        above.emplace_back("textOnTop", "true");
        const Made a = make("barcode1d", above), b = make("barcode1d", below);
        ASSERT_TRUE(a.image.ok && b.image.ok);
        // The same bars and glyphs, so the same ink, unless some of it was cut.
        EXPECT_EQ(inkOf(a.image).pixels, inkOf(b.image).pixels);
        EXPECT_EQ(test::decode(*toBitmap(a.image), ZXing::BarcodeFormat::Code128).text, "ON TOP");
    }
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST(Sizes, StandardQuietZoneInModulesOnAllFourSides) {
    struct Case {
        std::string control;
        std::vector<std::pair<std::string, std::string>> properties;
        std::int64_t module;  // pixels, at --scale 3
        std::int64_t left, top, right, bottom;
        ZXing::BarcodeFormats format;
    };
    // Font=none: the ink is all that is drawn.
    const Case cases[] = {
        {"barcode1d",
         {{"barType", "CODE128"}, {"Code", "QUIET"}, {"Font", "none"}},
         3,
         10,
         10,
         10,
         10,
         ZXing::BarcodeFormat::Code128},
        {"barcode1d",
         {{"barType", "EAN13"}, {"Code", "5901234123457"}, {"Font", "none"}},
         3,
         11,
         7,
         7,
         7,
         ZXing::BarcodeFormat::EAN13},
        {"barcode1d",
         {{"barType", "UPCE"}, {"Code", "012345000058"}, {"Font", "none"}},
         3,
         9,
         7,
         7,
         7,
         ZXing::BarcodeFormat::UPCE},
        {"datamatrix", {{"Code", "quiet"}}, 3 * 4, 1, 1, 1, 1, ZXing::BarcodeFormat::DataMatrix},
        {"pdf417", {{"Code", "quiet"}}, 3, 2, 2, 2, 2, ZXing::BarcodeFormat::PDF417},
        {"maxicode",
         {{"mode", "4"}, {"data", "QUIET"}},
         3 * 7,
         1,
         1,
         1,
         1,
         ZXing::BarcodeFormat::MaxiCode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control + " " + c.properties.front().second);
        const Made made =
            make(c.control, c.properties, {{"scale", "3"}, {"quiet-zone", "standard"}});
        ASSERT_EQ(made.status, SymbolStatus::Ok);
        ASSERT_TRUE(made.image.ok);
        const Ink ink = inkOf(made.image);
        const std::int64_t w = made.image.width, h = made.image.height;
        // Whole modules of quiet zone, at least the standard's (MaxiCode's hexagons stand a little
        // inside their margin).
        const std::pair<std::int64_t, std::int64_t> sides[] = {{ink.left, c.left},
                                                               {ink.top, c.top},
                                                               {w - 1 - ink.right, c.right},
                                                               {h - 1 - ink.bottom, c.bottom}};
        for (const auto& [gap, modules] : sides) EXPECT_EQ(gap / c.module, modules) << gap;
        EXPECT_TRUE(test::decode(*toBitmap(made.image), c.format).ok);
    }
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Rows with ink below the bars: the human-readable text.
std::int64_t textRows(const Image& image) {
    std::uint32_t barsEnd = 0;  // the first row under the bars with no ink at the left bar
    const Ink ink = inkOf(image);
    const auto x = static_cast<std::uint32_t>(ink.left);
    for (std::uint32_t y = static_cast<std::uint32_t>(ink.top); y < image.height; ++y)
        if (image.pixel(x, y) != 0xFFFFFF) barsEnd = y + 1;
    std::int64_t rows = 0;
    for (std::uint32_t y = barsEnd; y < image.height; ++y)
        for (std::uint32_t x2 = 0; x2 < image.width; ++x2)
            if (image.pixel(x2, y) != 0xFFFFFF) {
                ++rows;
                break;
            }
    return rows;
}

TEST(Sizes, TextGrowsWithTheScale) {
    const std::vector<std::pair<std::string, std::string>> code = {{"barType", "CODE128"},
                                                                   {"Code", "GROW"}};
    const Made one = make("barcode1d", code);
    ASSERT_TRUE(one.image.ok);
    const std::int64_t base = textRows(one.image);
    ASSERT_GT(base, 0);
    for (int scale : {2, 3, 5}) {
        SCOPED_TRACE(scale);
        const Made scaled = make("barcode1d", code, {{"scale", std::to_string(scale)}});
        ASSERT_TRUE(scaled.image.ok);
        // Glyphs rasterised larger are not exactly N times as tall; well past (N - 1) times is.
        EXPECT_GT(textRows(scaled.image), (scale - 1) * base + base / 2);
        EXPECT_EQ(test::decode(*toBitmap(scaled.image), ZXing::BarcodeFormat::Code128).text,
                  "GROW");
    }
}

}  // namespace
}  // namespace qv
