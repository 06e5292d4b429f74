// Turned and transparent output, and the resolution a PNG carries.
#include <gtest/gtest.h>

#include <cstring>

#include "decode.h"
#include "print_helpers.h"
#include "quorvantix/render.h"
#include "symbols.h"

namespace qv {
namespace {

// The pHYs chunk's pixels per metre on each axis and its unit; zeros when there is none.
struct Phys {
    std::uint32_t x = 0, y = 0;
    int unit = -1;
};
Phys physOf(const std::vector<std::uint8_t>& png) {
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length =
            std::uint32_t{png[at]} << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        if (std::memcmp(&png[at + 4], "pHYs", 4) == 0 && length == 9) {
            const std::uint8_t* d = &png[at + 8];
            return {std::uint32_t{d[0]} << 24 | d[1] << 16 | d[2] << 8 | d[3],
                    std::uint32_t{d[4]} << 24 | d[5] << 16 | d[6] << 8 | d[7], d[8]};
        }
        at += 12 + length;
    }
    return {};
}

TEST(PrintRaster, PngCarriesTheResolutionAskedFor) {
    const struct {
        double dpi;
        std::uint32_t perMetre;
    } cases[] = {{203, 7992}, {300, 11811}, {600, 23622}, {12 * 25.4, 12000}};
    auto control = test::samples(false)[2].make();
    for (const auto& c : cases) {
        const RenderedImage png = renderImage(*control, ImageFormat::Png, {.dotsPerInch = c.dpi});
        ASSERT_TRUE(png.ok());
        const Phys p = physOf(png.bytes);
        EXPECT_EQ(p.x, c.perMetre) << c.dpi;
        EXPECT_EQ(p.y, c.perMetre);
        EXPECT_EQ(p.unit, 1);
        EXPECT_TRUE(test::decodePng(png.bytes).width > 0);  // still a valid PNG
    }
    // Without a resolution the file is as before.
    EXPECT_EQ(physOf(renderImage(*control, ImageFormat::Png).bytes).unit, -1);
}

TEST(PrintRaster, TransparentPngHasAlphaZeroExactlyOnTheBackground) {
    for (const auto& sample : test::samples(true)) {
        SCOPED_TRACE(sample.name);
        auto control = sample.make();
        const RenderedImage plain = renderImage(*control, ImageFormat::Png);
        const RenderedImage clear = renderImage(*control, ImageFormat::Png, {.transparent = true});
        ASSERT_TRUE(plain.ok() && clear.ok());
        const auto rgb = test::decodePng(plain.bytes);
        const auto rgba = test::decodePng(clear.bytes);
        ASSERT_EQ(rgb.width, rgba.width);
        std::size_t wrong = 0, background = 0;
        for (std::uint32_t y = 0; y < rgb.height; ++y) {
            for (std::uint32_t x = 0; x < rgb.width; ++x) {
                const std::uint8_t* p = &rgb.pixels[(std::size_t{y} * rgb.width + x) * 4];
                const bool back = p[0] == 255 && p[1] == 255 && p[2] == 255;
                background += back ? 1 : 0;
                wrong += (rgba.alpha(x, y) == 0) != back ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0U);
        EXPECT_GT(background, 0U);
    }
}

TEST(PrintRaster, TransparentPagesLeaveExactlyTheBackgroundUnpainted) {
    for (const auto& sample : test::samples(false)) {
        for (const ImageFormat format : {ImageFormat::Pdf, ImageFormat::Eps}) {
            SCOPED_TRACE(sample.name + (format == ImageFormat::Pdf ? ".pdf" : ".eps"));
            auto control = sample.make();
            const auto clear = test::decodePng(
                renderImage(*control, ImageFormat::Png, {.transparent = true}).bytes);
            const RenderedImage page = renderImage(*control, format, {.transparent = true});
            ASSERT_TRUE(page.ok());
            const auto back = test::renderBackWithAlpha(
                format, test::scratchFile(sample.name + "-clear", page.bytes), 96.0);
            ASSERT_EQ(back.width, clear.width);
            ASSERT_EQ(back.height, clear.height);
            std::size_t wrong = 0;
            for (std::uint32_t y = 0; y < clear.height; ++y)
                for (std::uint32_t x = 0; x < clear.width; ++x)
                    wrong += (back.alpha(x, y) < 128) != (clear.alpha(x, y) == 0) ? 1 : 0;
            EXPECT_EQ(wrong, 0U);
        }
    }
}

// Turned back counter-clockwise by the angle.
std::unique_ptr<Bitmap> turnedBack(const Bitmap& b, std::int32_t angle) {
    const std::int32_t w = b.width(), h = b.height();
    const bool sideways = angle != 180;
    auto out = std::make_unique<Bitmap>(sideways ? h : w, sideways ? w : h);
    auto px = out->pixels();
    const std::int32_t ow = out->width();
    for (std::int32_t y = 0; y < out->height(); ++y) {
        for (std::int32_t x = 0; x < ow; ++x) {
            // Where the clockwise turn put pixel (x, y).
            const std::int32_t tx = angle == 90 ? w - 1 - y : angle == 180 ? w - 1 - x : y;
            const std::int32_t ty = angle == 90 ? x : angle == 180 ? h - 1 - y : h - 1 - x;
            px[static_cast<std::size_t>(y) * static_cast<std::size_t>(ow) +
               static_cast<std::size_t>(x)] = b.pixel(tx, ty);
        }
    }
    return out;
}

TEST(PrintRaster, TurnedSymbolsDecodeForEveryControlAngleAndFormat) {
    for (const auto& sample : test::samples(false)) {
        for (const std::int32_t angle : {90, 180, 270}) {
            for (const ImageFormat format :
                 {ImageFormat::Png, ImageFormat::Pdf, ImageFormat::Eps}) {
                SCOPED_TRACE(sample.name + " at " + std::to_string(angle) + " degrees, format " +
                             std::to_string(static_cast<int>(format)));
                auto control = sample.make();
                const RenderedImage upright = renderImage(*control, ImageFormat::Png);
                const RenderedImage image =
                    renderImage(*control, format, {.rotation = angle, .verify = true});
                ASSERT_TRUE(image.ok()) << image.error;
                std::unique_ptr<Bitmap> raster;
                if (format == ImageFormat::Png) {
                    raster = test::toBitmap(test::decodePng(image.bytes));
                } else {
                    raster = test::renderBack(
                        format, test::scratchFile(sample.name + "-turned", image.bytes), 96.0);
                }
                ASSERT_TRUE(raster);
                const bool sideways = angle != 180;
                EXPECT_EQ(raster->width(), sideways ? upright.size.height : upright.size.width);
                EXPECT_EQ(raster->height(), sideways ? upright.size.width : upright.size.height);
                // Turned back, it is the upright symbol module for module.
                const auto back = turnedBack(*raster, angle);
                const auto uprightRaster = test::toBitmap(test::decodePng(upright.bytes));
                EXPECT_EQ(test::inkDifferences(*back, *uprightRaster), 0);
                // The reader finds MaxiCode only upright and alone in the image.
                const bool maxi = sample.format == ZXing::BarcodeFormat::MaxiCode;
                const auto read = test::decode(maxi ? *back : *raster, sample.format,
                                               {.pure = maxi, .rotated = !maxi});
                ASSERT_TRUE(read.ok);
                EXPECT_EQ(read.bytes, sample.data);
                ASSERT_EQ(image.verifications.size(), 1U);
                EXPECT_TRUE(image.verifications[0].passed()) << image.verifications[0].message;
            }
        }
    }
}

TEST(PrintRaster, SvgTurnsAndTakesItsPhysicalSize) {
    auto control = test::samples(false)[2].make();  // Data Matrix, 141 dots square at default
    const RenderedImage plain = renderImage(*control, ImageFormat::Svg);
    const RenderedImage print =
        renderImage(*control, ImageFormat::Svg, {.dotsPerInch = 300, .rotation = 90});
    const std::string doc(print.bytes.begin(), print.bytes.end());
    char size[96];
    std::snprintf(size, sizeof size, "width=\"%.4gmm\" height=\"%.4gmm\"",
                  plain.size.height * 25.4 / 300, plain.size.width * 25.4 / 300);
    EXPECT_NE(doc.find(size), std::string::npos) << doc.substr(0, 300);
    EXPECT_NE(doc.find("rotate(90)"), std::string::npos);
    const RenderedImage clear = renderImage(*control, ImageFormat::Svg, {.transparent = true});
    const std::string masked(clear.bytes.begin(), clear.bytes.end());
    EXPECT_NE(masked.find("mask=\"url(#background)\""), std::string::npos);
}

}  // namespace
}  // namespace qv
