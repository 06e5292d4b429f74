// PDF and EPS files rendered back by Debian's own renderers: the same modules as the PNG, a
// symbol that reads, the font embedded, one page per Macro PDF417 segment.
#include <gtest/gtest.h>

#include "decode.h"
#include "print_helpers.h"
#include "quorvantix/pdf417.h"
#include "quorvantix/render.h"
#include "symbols.h"

namespace qv {
namespace {

struct Format {
    ImageFormat format;
    const char* extension;
};
constexpr Format kVectorFormats[] = {{ImageFormat::Pdf, "pdf"}, {ImageFormat::Eps, "eps"}};

std::unique_ptr<Bitmap> pngRaster(Control& control, const RenderOptions& options) {
    const RenderedImage png = renderImage(control, ImageFormat::Png, options);
    return png.ok() ? test::toBitmap(test::decodePng(png.bytes)) : nullptr;
}

TEST(PageOutput, SameModulesAsThePngAtTheFilesResolution) {
    for (const double dpi : {96.0, 203.0, 300.0, 600.0}) {
        for (const auto& sample : test::samples(false)) {
            for (const auto& f : kVectorFormats) {
                SCOPED_TRACE(sample.name + "." + f.extension + " at " + std::to_string(dpi));
                auto control = sample.make();
                RenderOptions options;
                if (dpi != 96.0) options.dotsPerInch = dpi;
                const auto png = pngRaster(*control, options);
                ASSERT_TRUE(png);
                const RenderedImage page = renderImage(*control, f.format, options);
                ASSERT_TRUE(page.ok()) << page.error;
                const auto path = test::scratchFile(sample.name + "." + f.extension, page.bytes);
                const auto back = test::renderBack(f.format, path, dpi);
                ASSERT_TRUE(back);
                ASSERT_EQ(back->width(), png->width());
                ASSERT_EQ(back->height(), png->height());
                EXPECT_EQ(test::inkDifferences(*back, *png), 0);
            }
        }
    }
}

TEST(PageOutput, EveryControlReadsBackWithItsText) {
    for (const auto& sample : test::samples(true)) {
        for (const auto& f : kVectorFormats) {
            SCOPED_TRACE(sample.name + "." + f.extension);
            auto control = sample.make();
            const RenderOptions options{.dotsPerInch = 300.0};
            const RenderedImage page = renderImage(*control, f.format, options);
            ASSERT_TRUE(page.ok()) << page.error;
            const auto path = test::scratchFile(sample.name + "-text." + f.extension, page.bytes);
            const auto back = test::renderBack(f.format, path, 300.0);
            ASSERT_TRUE(back);
            const auto read = test::decode(*back, sample.format);
            ASSERT_TRUE(read.ok);
            EXPECT_EQ(read.bytes, sample.data);
        }
    }
}

TEST(PageOutput, TextIsRealTextInAnEmbeddedFont) {
    auto control = test::samples(true).front().make();  // EAN-13 with its digits
    const RenderedImage page = renderImage(*control, ImageFormat::Pdf);
    ASSERT_TRUE(page.ok());
    const auto path = test::scratchFile("fonts.pdf", page.bytes);
    const std::string fonts = test::shell("pdffonts '" + path + "'");
    // name, type, encoding, then "yes" in the embedded column.
    ASSERT_NE(fonts.find("DejaVuSans"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find(" yes "), std::string::npos) << fonts;
    EXPECT_NE(test::shell("pdftotext '" + path + "' -").find("901234"), std::string::npos);
}

TEST(PageOutput, PageIsTheSymbolsPhysicalSize) {
    auto control = test::samples(false)[2].make();  // Data Matrix
    const RenderedImage png = renderImage(*control, ImageFormat::Png);
    const RenderedImage page =
        renderImage(*control, ImageFormat::Pdf, RenderOptions{.dotsPerInch = 300.0});
    const auto info = test::shell("pdfinfo '" + test::scratchFile("size.pdf", page.bytes) + "'");
    const auto at = info.find("Page size:");
    ASSERT_NE(at, std::string::npos);
    double w = 0, h = 0;
    ASSERT_EQ(std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &w, &h), 2);
    EXPECT_NEAR(w, png.size.width * 72.0 / 300, 1e-3);
    EXPECT_NEAR(h, png.size.height * 72.0 / 300, 1e-3);
}

TEST(PageOutput, MacroPdf417HasOnePagePerSegment) {
    TPDF417 control;
    control.Code = std::string(600, 'x') + "end of the Macro PDF417 data";
    control.PDFMaxRows = 12;
    control.PDFColumns = 4;
    control.BarWidthPixels = 2;
    control.PDFMacroFileId = "17";
    control.prepareMacroPDF();
    const std::int32_t count = control.PDFMacroSegmentCount;
    ASSERT_GE(count, 3);
    const RenderedImage doc = renderPages(
        control, ImageFormat::Pdf, {.verify = true}, count,
        [](Control& c, std::int32_t s) { static_cast<TPDF417&>(c).PDFMacroSegment = s; });
    ASSERT_TRUE(doc.ok()) << doc.error;
    const auto path = test::scratchFile("macro.pdf", doc.bytes);
    const std::string info = test::shell("pdfinfo '" + path + "'");
    const auto pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos);
    EXPECT_EQ(std::stoi(info.substr(pages + 6)), count) << info;
    std::string joined;
    for (int p = 1; p <= count; ++p) {
        const auto back = test::renderBack(ImageFormat::Pdf, path, 96.0, p);
        ASSERT_TRUE(back);
        const auto read = test::decode(*back, ZXing::BarcodeFormat::PDF417);
        ASSERT_TRUE(read.ok) << p;
        joined += read.bytes;
    }
    EXPECT_EQ(joined, control.Code);
    ASSERT_EQ(doc.verifications.size(), static_cast<std::size_t>(count));
    for (const auto& v : doc.verifications) EXPECT_TRUE(v.passed()) << v.message;
}

}  // namespace
}  // namespace qv
