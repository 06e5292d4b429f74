// Image output paints into the 8-bit raster: every control, with a spread of its options, gives
// there exactly the pixels of the 32-bit raster, and the PNG the image writer makes decodes to
// them, also past 256 colours, turned or with a transparent background.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "image_file.h"
#include "quorvantix/host.h"
#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/png.h"
#include "quorvantix/raster.h"
#include "quorvantix/render.h"
#include "render/image_writer.h"

namespace qv {
namespace {

using cli::test::readPng;
using cli::test::TempDir;

// The first pixel where the rasters differ, or an empty string.
std::string firstDifference(const Bitmap& wide, const IndexedBitmap& narrow) {
    if (wide.width() != narrow.width() || wide.height() != narrow.height()) return "size";
    if (!narrow.exact()) return "not exact";
    const auto indices = narrow.indices();
    const auto palette = narrow.palette();
    const auto pixels = wide.pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (indices[i] >= palette.size() || palette[indices[i]] != pixels[i]) {
            const auto w = static_cast<std::size_t>(wide.width());
            std::ostringstream at;
            at << '(' << i % w << ", " << i / w << ')';
            return at.str();
        }
    }
    return {};
}

struct ControlCase {
    std::string kind;
    std::vector<std::pair<std::string, std::string>> set;
};

std::unique_ptr<Control> make(const ControlCase& c) {
    auto control = findControlKind(c.kind)->create();
    for (const auto& [name, text] : c.set) {
        const SetResult r = setPropertyText(*control, name, text);
        EXPECT_TRUE(r.error.empty()) << name << "=" << text << ": " << r.error;
    }
    return control;
}

std::string describe(const ControlCase& c) {
    std::string out = c.kind;
    for (const auto& [name, text] : c.set) out += " " + name + "=" + text;
    return out;
}

TEST(IndexedOutput, EveryControlPaintsTheSamePixelsAsThe32BitRaster) {
    const ControlCase cases[] = {
        {"barcode1d", {{"barType", "EAN13"}, {"Code", "590123412345"}}},
        {"barcode1d",
         {{"barType", "EAN13"},
          {"Code", "590123412345"},
          {"UPCEANSupplement5", "true"},
          {"supplement", "52495"},
          {"X", "2"}}},
        {"barcode1d",
         {{"barType", "UPCA"},
          {"Code", "03600029145"},
          {"UPCEANSupplement2", "true"},
          {"supplement", "12"},
          {"Font.Bold", "true"}}},
        {"barcode1d", {{"barType", "UPCE"}, {"Code", "012345000065"}, {"Font.Italic", "true"}}},
        {"barcode1d", {{"barType", "EAN8"}, {"Code", "9638507"}, {"textOnTop", "true"}}},
        {"barcode1d",
         {{"barType", "CODE128"},
          {"Code", "Quorvantix-128"},
          {"BarColor", "#1F4E79"},
          {"BackColor", "#FFF2CC"},
          {"Font.Underline", "true"},
          {"Font.Strikeout", "true"}}},
        {"barcode1d",
         {{"barType", "CODE39"},
          {"Code", "CODE39 TEST"},
          {"N", "3"},
          {"Font.Color", "#C00000"},
          {"Font.Height", "20"}}},
        {"barcode1d", {{"barType", "CODE93EXT"}, {"Code", "Mixed case 93"}, {"LeftMargin", "-7"}}},
        {"barcode1d", {{"barType", "INTERLEAVED25"}, {"Code", "12345678"}, {"Font", "none"}}},
        {"barcode1d", {{"barType", "CODABAR"}, {"Code", "40156"}, {"Font.Name", "DejaVu Sans"}}},
        {"barcode1d", {{"barType", "MSI"}, {"Code", "80523"}, {"X", "3"}}},
        {"barcode1d", {{"barType", "POSTNET"}, {"Code", "55555-1237"}}},
        {"barcode1d",
         {{"barType", "EAN128"},
          {"Code", "10ABC123"},
          {"BarColor", "#FFFFFF"},
          {"BackColor", "#000000"}}},
        {"datamatrix", {{"Code", "A"}}},
        {"datamatrix", {{"Code", "Hello from Quorvantix"}, {"PixelsDot", "3"}}},
        {"datamatrix",
         {{"Code", std::string(300, '7')}, {"PixelsDot", "2"}, {"BarColor", "#203040"}}},
        {"datamatrix", {{"Code", "rectangular"}, {"PreferredFormat", "C8X32"}, {"Margin", "4"}}},
        {"pdf417", {{"Code", "PDF417 with default options"}}},
        {"pdf417", {{"Code", "truncated symbol"}, {"PDFTruncated", "true"}, {"PDFColumns", "3"}}},
        {"pdf417",
         {{"Code", "macro segment"},
          {"PDFMacroSegment", "0"},
          {"PDFMacroFileId", "017053"},
          {"PDFMacroFileName", "letter.txt"},
          {"BarWidthPixels", "2"},
          {"BarHeightPixels", "5"}}},
        {"pdf417", {{"Code", "1234567890123"}, {"PDFMode", "PDF_NUMERIC"}, {"PDFECLevel", "5"}}},
        {"maxicode", {{"data", "MaxiCode mode 4"}}},
        {"maxicode", {{"data", "mode 5"}, {"mode", "5"}, {"resolution", "150"}}},
        {"maxicode",
         {{"mode", "2"},
          {"zipCode", "152382802"},
          {"country", "840"},
          {"serviceClass", "001"},
          {"data", "postal"},
          {"BarColor", "#004400"}}},
        {"maxicode",
         {{"mode", "3"},
          {"zipCode", "B1050"},
          {"country", "056"},
          {"serviceClass", "999"},
          {"data", "postal three"}}},
        {"maxicode", {{"mode", "6"}, {"data", "reader programming"}, {"LeftMargin", "-20"}}},
    };
    // Room for every symbol, and a small image that cuts them.
    const std::pair<std::int32_t, std::int32_t> sizes[] = {{640, 360}, {73, 41}};
    for (const ControlCase& c : cases) {
        for (const auto& [w, h] : sizes) {
            SCOPED_TRACE(describe(c) + " at " + std::to_string(w) + "x" + std::to_string(h));
            const auto control = make(c);
            Bitmap wide(w, h);
            control->paintBarcode(wide.canvas());
            IndexedBitmap narrow(w, h);
            control->paintBarcode(narrow.canvas());
            EXPECT_EQ(firstDifference(wide, narrow), "");
            // The pen and brush a paint leaves behind agree as well.
            EXPECT_EQ(wide.canvas().pen, narrow.canvas().pen);
            EXPECT_EQ(wide.canvas().brush, narrow.canvas().brush);
        }
    }
}

// A control of many colours: a 20 x 20 grid of squares, each its own colour.
class Colours final : public Control {
  public:
    explicit Colours(int count) : count_(count) {}
    void paintBarcode(Canvas& canvas) override {
        canvas.pen.width = 1;
        canvas.brush.style = BrushStyle::Solid;
        for (int i = 0; i < count_; ++i) {
            const auto colour = static_cast<TColor>(0x010203 * (i + 1)) & 0xFFFFFF;
            canvas.pen.color = colour;
            canvas.brush.color = colour;
            const std::int32_t x = (i % 20) * 3, y = (i / 20) * 3;
            canvas.rectanglePolygon(x, y, x + 2, y + 2);
        }
    }
    std::span<const PropertyInfo> properties() const override { return {}; }

  private:
    int count_;
};

// What the image writer's PNG decodes to, against the 32-bit raster of the same paint.
std::string pngDifference(Control& control, const RenderOptions& options, const Bitmap& expected) {
    render::ImageWriter writer(ImageFormat::Png, options);
    writer.paint(control, {expected.width(), expected.height()});
    std::string error;
    const auto bytes = writer.finish(&error);
    if (bytes.empty()) return "no PNG: " + error;
    TempDir dir;
    const std::string path = dir.file("out.png");
    std::string why;
    if (!writeFileAtomically(path, bytes.data(), bytes.size(), &why)) return why;
    const auto image = readPng(path);
    if (!image.ok) return "unreadable";
    if (image.width != static_cast<std::uint32_t>(expected.width()) ||
        image.height != static_cast<std::uint32_t>(expected.height()))
        return "size";
    for (std::uint32_t y = 0; y < image.height; ++y) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            if (image.pixel(x, y) !=
                expected.pixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y))) {
                std::ostringstream at;
                at << '(' << x << ", " << y << ')';
                return at.str();
            }
        }
    }
    return {};
}

TEST(IndexedOutput, ImageWriterPngDecodesToThe32BitPixelsWhateverTheColours) {
    struct Case {
        int colours;
        bool exact;  // the 8-bit raster holds them
    };
    const Case cases[] = {{1, true},   {3, true},    {15, true},
                          {255, true}, {256, false}, {400, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.colours) + " colours");
        Colours control(c.colours);
        // The white the canvas starts as is a colour of its own.
        IndexedBitmap narrow(60, 61);
        control.paintBarcode(narrow.canvas());
        EXPECT_EQ(narrow.exact(), c.exact);
        if (!c.exact) {
            EXPECT_TRUE(encodePng(narrow).empty());
        }
        Bitmap wide(60, 61);
        wide.canvas().pen.color = 0xFFFFFF;
        control.paintBarcode(wide.canvas());
        EXPECT_EQ(pngDifference(control, {}, wide), "");
    }
}

TEST(IndexedOutput, TurnedAndTransparentPngsKeepTheirPixels) {
    const auto control = make(
        {"barcode1d", {{"barType", "EAN13"}, {"Code", "590123412345"}, {"BackColor", "#E0E0FF"}}});
    constexpr TColor kBack = 0xFFE0E0;  // #E0E0FF as 0x00BBGGRR
    Bitmap upright(160, 90);
    upright.canvas().pen.color = kBack;
    control->paintBarcode(upright.canvas());
    struct Case {
        std::int32_t rotation;
        bool transparent;
        std::optional<double> dpi;
    };
    const Case cases[] = {
        {0, true, std::nullopt}, {0, false, 300.0}, {90, true, 600.0}, {180, false, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rotation) + (c.transparent ? " transparent" : ""));
        RenderOptions options;
        options.rotation = c.rotation;
        options.transparent = c.transparent;
        options.dotsPerInch = c.dpi;
        // The turned picture, as the 32-bit raster gives it.
        const bool sideways = c.rotation == 90;
        Bitmap expected(sideways ? 90 : 160, sideways ? 160 : 90);
        for (std::int32_t y = 0; y < 90; ++y) {
            for (std::int32_t x = 0; x < 160; ++x) {
                const TColor p = upright.pixel(x, y);
                std::int32_t nx = x, ny = y;
                if (c.rotation == 90) nx = 89 - y, ny = x;
                if (c.rotation == 180) nx = 159 - x, ny = 89 - y;
                expected.pixels()[static_cast<std::size_t>(ny * expected.width() + nx)] = p;
            }
        }
        render::ImageWriter writer(ImageFormat::Png, options);
        writer.paint(*control, {160, 90});
        std::string error;
        const auto bytes = writer.finish(&error);
        ASSERT_FALSE(bytes.empty()) << error;
        const std::string text(bytes.begin(), bytes.end());
        EXPECT_EQ(text.find("tRNS") != std::string::npos, c.transparent);
        EXPECT_EQ(text.find("pHYs") != std::string::npos, c.dpi.has_value());
        TempDir dir;
        ASSERT_TRUE(writeFileAtomically(dir.file("t.png"), bytes.data(), bytes.size(), nullptr));
        const auto image = readPng(dir.file("t.png"));
        ASSERT_TRUE(image.ok);
        ASSERT_EQ(image.width, static_cast<std::uint32_t>(expected.width()));
        // The reader lays a transparent background over black: only the symbol's pixels count.
        std::int64_t wrong = 0;
        for (std::uint32_t y = 0; y < image.height; ++y) {
            for (std::uint32_t x = 0; x < image.width; ++x) {
                const TColor want =
                    expected.pixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
                if (c.transparent && want == kBack) continue;
                wrong += image.pixel(x, y) != want;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace qv
