#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "pixel_helpers.h"
#include "quorvantix/raster.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kWhite = 0xFFFFFF;

Font fontOf(std::string name, std::int32_t height) {
    Font f;
    f.name = std::move(name);
    f.height = height;
    return f;
}

std::unique_ptr<Bitmap> textBitmap(const Font& font, std::string_view text, std::int32_t w = 120,
                                   std::int32_t h = 40) {
    auto bm = std::make_unique<Bitmap>(w, h);
    Canvas& c = bm->canvas();
    c.font = font;
    c.brush.color = kRed;
    c.textOut(3, 2, text);
    return bm;
}

TEST(Text, WidthOfADigitIsPositiveAndAgreesAcrossCanvases) {
    Bitmap bm(1, 1);
    RecordingCanvas rec;
    for (const std::int32_t height : {10, 13, -11, 40}) {
        bm.canvas().font = fontOf("MS Sans Serif", height);
        rec.font = bm.canvas().font;
        const std::int32_t w = bm.canvas().textWidth("0");
        EXPECT_GT(w, 0) << height;
        EXPECT_EQ(bm.canvas().textWidth("0"), w);
        EXPECT_EQ(rec.textWidth("0"), w);
        EXPECT_EQ(bm.canvas().textWidth("0000"), 4 * w);
        EXPECT_EQ(bm.canvas().textWidth(""), 0);
    }
}

TEST(Text, HeightsGiveCellHeights) {
    struct Case {
        std::int32_t height;
        std::int32_t minCell, maxCell;
    };
    const Case cases[] = {
        {10, 10, 10},
        {1, 1, 1},
        {37, 37, 37},
        {1000, 1000, 1000},
        {0, 1, 1},
        {5000, 1000, 1000},
        {-10, 11, 13},
        {-100, 110, 125},
        {INT32_MIN, 1000, 1250},
        {INT32_MAX, 1000, 1000},
    };
    Bitmap bm(1, 1);
    for (const Case& c : cases) {
        bm.canvas().font = fontOf("MS Sans Serif", c.height);
        const std::int32_t cell = bm.canvas().textHeight("0");
        EXPECT_GE(cell, c.minCell) << c.height;
        EXPECT_LE(cell, c.maxCell) << c.height;
    }
}

TEST(Text, OpaqueCellThenGlyphs) {
    const Font font = fontOf("MS Sans Serif", 16);
    const auto bm = textBitmap(font, "08");
    Bitmap probe(1, 1);
    probe.canvas().font = font;
    const std::int32_t w = probe.canvas().textWidth("08");
    std::int64_t ink = 0;
    for (std::int32_t y = 0; y < bm->height(); ++y) {
        for (std::int32_t x = 0; x < bm->width(); ++x) {
            const bool inCell = x >= 3 && x < 3 + w && y >= 2 && y < 2 + 16;
            const TColor p = bm->pixel(x, y);
            if (!inCell) {
                ASSERT_EQ(p, kWhite) << x << "," << y;
            } else {
                ASSERT_TRUE(p == kRed || p == 0) << x << "," << y;
                ink += p == 0;
            }
        }
    }
    EXPECT_GT(ink, 20);

    Font clearFont = font;
    auto clear = std::make_unique<Bitmap>(120, 40);
    clear->canvas().font = clearFont;
    clear->canvas().brush.style = BrushStyle::Clear;
    clear->canvas().textOut(3, 2, "08");
    EXPECT_EQ(test::countColour(*clear, kRed), 0);
    EXPECT_EQ(test::countColour(*clear, 0), ink);
}

TEST(Text, DigitsStandAboveTheBaseline) {
    const auto bm = textBitmap(fontOf("DejaVu Sans", 20), "0");
    std::int32_t top = INT32_MAX, bottom = -1;
    for (std::int32_t y = 0; y < bm->height(); ++y) {
        for (std::int32_t x = 0; x < bm->width(); ++x) {
            if (bm->pixel(x, y) == 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    // Cell rows 2..21, ascent about 15 of them: the digit sits on the baseline, not in the descent.
    EXPECT_GE(top, 2);
    EXPECT_GE(bottom, 14);
    EXPECT_LE(bottom, 17);
}

TEST(Text, MissingFontFallsBackToSansSerif) {
    const auto dejavu = textBitmap(fontOf("DejaVu Sans", 14), "Quorvantix 123");
    for (const char* name : {"MS Sans Serif", "No Such Font Qzx", "", "\xff\x01\x80"}) {
        const auto other = textBitmap(fontOf(name, 14), "Quorvantix 123");
        EXPECT_TRUE(test::samePixels(*dejavu, *other)) << name;
    }
}

// The default name draws from the face built into the library: the very DejaVu Sans files that
// fontconfig finds on the machine, so the pixels are those it gave before, for every byte.
TEST(Text, DefaultNameDrawsTheBuiltInFaceAsTheInstalledOne) {
    std::string all;
    for (int byte = 0x20; byte < 0x100; ++byte) all.push_back(static_cast<char>(byte));
    for (const bool bold : {false, true}) {
        for (const std::int32_t height : {8, 13, -20, 41}) {
            Font installed = fontOf("DejaVu Sans", height);
            installed.bold = bold;
            for (const char* name : {"MS Sans Serif", "ms sans SERIF"}) {
                Font builtin = fontOf(name, height);
                builtin.bold = bold;
                for (std::size_t from = 0; from < all.size(); from += 16) {
                    const std::string text = all.substr(from, 16);
                    const auto want = textBitmap(installed, text, 900, 60);
                    const auto got = textBitmap(builtin, text, 900, 60);
                    EXPECT_TRUE(test::samePixels(*want, *got))
                        << name << (bold ? " bold " : " ") << height << " from byte " << from;
                    EXPECT_GT(test::countColour(*got, kRed), 0);
                }
            }
        }
    }
}

TEST(Text, EveryByteIsDrawnAndClipped) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    Bitmap bm(64, 16);
    Canvas& c = bm.canvas();
    c.font = fontOf("MS Sans Serif", 12);
    EXPECT_GT(c.textWidth("\x80"), 0);  // the euro sign of Windows-1252
    EXPECT_GT(c.textWidth(all), 64);
    for (const Point p : {Point{-50, 3}, Point{60, 10}, Point{INT32_MIN, INT32_MIN},
                          Point{INT32_MAX, INT32_MAX}, Point{-3, INT32_MIN}}) {
        c.textOut(p.x, p.y, all);
    }
    c.font.bold = true;
    c.font.italic = true;
    c.font.underline = true;
    c.font.strikeout = true;
    c.font.height = 1000;
    c.textOut(-400, -300, all);
}

// Glyphs wholly inside are drawn without clipping: the same pixels as the same text drawn partly
// outside the bitmap, its first glyph or its tall ones clipped, on the pixels both show.
TEST(Text, GlyphsInsideMatchClippedOnes) {
    const std::string text = "Quorvantix 0123456789 AWgjy";
    for (const Point shift : {Point{5, 0}, Point{0, 4}, Point{3, 2}}) {
        Bitmap inside(260, 30), clipped(260, 30);
        for (Bitmap* bm : {&inside, &clipped}) {
            bm->canvas().font = fontOf("MS Sans Serif", 14);
            bm->canvas().brush.style = BrushStyle::Clear;
            bm->canvas().font.color = kRed;
        }
        inside.canvas().textOut(10, 8, text);
        clipped.canvas().textOut(10 - 10 - shift.x, 8 - 8 - shift.y, text);
        const Point offset{10 + shift.x, 8 + shift.y};
        for (std::int32_t y = 0; y + offset.y < 30; ++y) {
            for (std::int32_t x = 0; x + offset.x < 260; ++x) {
                ASSERT_EQ(inside.pixel(x + offset.x, y + offset.y), clipped.pixel(x, y))
                    << "at " << x << ", " << y << " shifted " << shift.x << ", " << shift.y;
            }
        }
    }
}

// Text drawn on separate bitmaps in separate threads is the same pixels as drawn one by one.
TEST(Text, ThreadsDrawTheSamePixels) {
    const std::vector<Font> fonts = {fontOf("MS Sans Serif", 10), fontOf("DejaVu Serif", -17),
                                     fontOf("DejaVu Sans Mono", 23), fontOf("Nothing", 31)};
    const std::string text = "Hello 0123456789 \xe9\x80";
    auto draw = [&](std::size_t i) {
        auto bm = std::make_unique<Bitmap>(200, 40);
        for (int round = 0; round < 5; ++round) {
            bm->canvas().font = fonts[(i + round) % fonts.size()];
            bm->canvas().textOut(round * 3, round * 2, text);
        }
        return bm;
    };
    constexpr std::size_t kThreads = 8;
    std::vector<std::unique_ptr<Bitmap>> parallel(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] { parallel[i] = draw(i); });
    }
    for (auto& t : threads) t.join();
    for (std::size_t i = 0; i < kThreads; ++i) {
        EXPECT_TRUE(test::samePixels(*parallel[i], *draw(i))) << i;
    }
}

}  // namespace
}  // namespace qv
