// The render API and the host layer as a program uses them: every symbol reads back as its data.
#include <gtest/gtest.h>

#include "decode.h"
#include "image_file.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/host.h"
#include "quorvantix/render.h"

namespace qv {
namespace {

using cli::test::readPng;
using cli::test::TempDir;
using cli::test::toBitmap;

test::Decoded readBack(const std::string& path, ZXing::BarcodeFormats format) {
    const auto image = readPng(path);
    if (!image.ok) return {};
    return test::decode(*toBitmap(image), format);
}

TEST(RenderApi, DataMatrixFollowsItsDataFromOneRenderToTheNext) {
    TempDir dir;
    TDatamatrix matrix;
    matrix.Code = "first";
    ASSERT_TRUE(renderToFile(matrix, dir.file("1.png")).ok());
    matrix.Code = "second value";
    ASSERT_TRUE(renderToFile(matrix, dir.file("2.png")).ok());
    EXPECT_EQ(readBack(dir.file("1.png"), ZXing::BarcodeFormat::DataMatrix).text, "first");
    EXPECT_EQ(readBack(dir.file("2.png"), ZXing::BarcodeFormat::DataMatrix).text, "second value");
    // The control's own contract stays: without rebuild, a paint keeps the symbol it has.
    EXPECT_FALSE(matrix.rebuild);
}

TEST(RenderApi, UpcEFollowsTheNumberSystemOfTheDataUnlessTheProgramChoseOne) {
    struct Case {
        std::string code;
        std::optional<std::string> system;  // written by the program
        std::string decoded;                // empty: refused, nothing written
    };
    const Case cases[] = {
        {"012345000065", std::nullopt, "01234565"},
        {"112345000062", std::nullopt, "11234562"},
        {"012345000065", "0", "01234565"},
        {"112345000062", "0", ""},  // the parity asked for does not fit the data
        // The forms people write: six digits, with the number system, with the check digit.
        {"123456", std::nullopt, "01234565"},
        {"0123456", std::nullopt, "01234565"},
        {"01234565", std::nullopt, "01234565"},
        {"11234562", std::nullopt, "11234562"},
        {"123453", std::nullopt, "01234531"},
        {"123454", std::nullopt, "01234543"},
        {"123450", std::nullopt, "01234505"},
        {"01234564", std::nullopt, ""},  // a wrong check digit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code + " " + c.system.value_or("-"));
        TempDir dir;
        TBarcode1D upce;
        upce.barType = TSymbology::UPCE;
        upce.Code = c.code;
        if (c.system) upce.UPCESytem = *c.system;
        const std::string before = upce.UPCESytem;
        const auto file = renderToFile(upce, dir.file("upce.png"));
        EXPECT_EQ(upce.UPCESytem, before);  // what the program wrote stays
        EXPECT_EQ(upce.Code, c.code);
        if (c.decoded.empty()) {
            EXPECT_FALSE(file.ok());
            EXPECT_TRUE(dir.files().empty());
            continue;
        }
        ASSERT_TRUE(file.ok()) << file.error;
        EXPECT_EQ(readBack(dir.file("upce.png"), ZXing::BarcodeFormat::UPCE).text, c.decoded);
    }
}

TEST(RenderApi, Code128AutoReadsBackAndIsNeverLongerThanTheBestFixedSet) {
    const std::string cases[] = {"12345678901234567890", "Quorvantix 128", "abc123",
                                 std::string("\x01"
                                             "ABC")};
    for (const auto& data : cases) {
        SCOPED_TRACE(data);
        TBarcode1D code;
        code.barType = TSymbology::CODE128;
        code.Code = data;
        std::int32_t best = INT32_MAX;
        for (const char* set : {"A", "B", "C"}) {
            code.Code128Set = set;
            const auto image = renderImage(code, ImageFormat::Svg);
            if (image.notes.empty()) best = std::min(best, image.size.width);
        }
        code.Code128Set = "AUTO";
        TempDir dir;
        const auto file = renderToFile(code, dir.file("auto.png"));
        ASSERT_TRUE(file.ok()) << file.error;
        EXPECT_TRUE(file.notes.empty());
        EXPECT_LE(file.size.width, best);
        EXPECT_EQ(code.Code128Set, "AUTO");
        EXPECT_EQ(readBack(dir.file("auto.png"), ZXing::BarcodeFormat::Code128).bytes, data);
    }
}

TEST(RenderApi, TextFollowsTheBarColourUnlessItHasItsOwn) {
    struct Case {
        std::optional<TColor> textColour;  // written by the program
        TColor drawn;
    };
    const Case cases[] = {{std::nullopt, 0xFFFFFF}, {TColor{0x0000FF}, 0x0000FF}};
    for (const auto& c : cases) {
        TBarcode1D code;
        code.Code = "WHITE";
        code.BarColor = 0xFFFFFF;
        code.BackColor = 0;
        if (c.textColour) code.Font->color = *c.textColour;
        const auto image = renderImage(code, ImageFormat::Svg);
        const std::string svg(image.bytes.begin(), image.bytes.end());
        const auto text = svg.find("<text");
        ASSERT_NE(text, std::string::npos);
        const std::string element = svg.substr(text, svg.find('>', text) - text);
        EXPECT_NE(element.find(c.drawn == 0xFFFFFF ? "fill=\"#FFFFFF\"" : "fill=\"#FF0000\""),
                  std::string::npos)
            << element;
        EXPECT_EQ(code.Font->color, c.textColour.value_or(0));  // restored
    }
}

TEST(RenderApi, ScaleAndQuietZoneApplyToOnePaintOnly) {
    TBarcode1D code;
    code.Code = "SCALE";
    const auto plain = renderImage(code, ImageFormat::Png);
    RenderOptions options;
    options.scale = 3;
    options.quietZone = 10;
    const auto scaled = renderImage(code, ImageFormat::Png, options);
    ASSERT_TRUE(scaled.ok());
    EXPECT_EQ(code.X, 1);
    EXPECT_EQ(code.LeftMargin, 20);
    // Three times the bars and ten modules of three pixels on both sides.
    EXPECT_EQ(scaled.size.width, 3 * (plain.size.width - 2 * 20) + 2 * 30);
    EXPECT_EQ(renderImage(code, ImageFormat::Png).bytes, plain.bytes);
}

TEST(RenderApi, StrictRefusesChangedData) {
    TempDir dir;
    TBarcode1D code;
    code.Code = "Lower";
    EXPECT_TRUE(renderToFile(code, dir.file("a.png")).ok());
    RenderOptions strict;
    strict.strict = true;
    const auto refused = renderToFile(code, dir.file("b.png"), strict);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(dir.files(), std::vector<std::string>{"a.png"});
}

TEST(HostOptions, ParseFromTextTheSameForEveryHost) {
    struct Case {
        std::string name, text;
        std::string error;  // empty: accepted
    };
    const Case cases[] = {
        {"scale", "3", ""},
        {"scale", "0", "--scale takes a whole number from 1 to 100, not \"0\""},
        {"scale", "2x", "--scale takes a whole number from 1 to 100"},
        {"quiet-zone", "0", ""},
        {"quiet-zone", "1001", "--quiet-zone takes a whole number from 0 to 1000"},
        {"size", "300x60", ""},
        {"size", "0x10", "has no area"},
        {"size", "abc", "--size takes WIDTHxHEIGHT"},
        {"strict", "true", ""},
        {"strict", "maybe", "--strict takes true, false, 1 or 0"},
        {"dpi", "300", ""},
        {"dpi", "0", "--dpi takes dots per inch from 1 to 10000"},
        {"dpmm", "12", ""},
        {"xdim", "0.33mm", ""},
        {"xdim", "13mil", ""},
        {"xdim", "0.33", "--xdim takes a length such as 0.33mm"},
        {"bar-height", "0mm", "--bar-height takes a length"},
        {"quiet-zone", "2.5mm", ""},
        {"rotate", "90", ""},
        {"rotate", "45", "--rotate takes 0, 90, 180 or 270 degrees"},
        {"transparent", "true", ""},
        {"verify", "yes", "--verify takes true, false, 1 or 0"},
        {"gs1", "true", ""},
        {"nope", "1", "unknown option --nope"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + " " + c.text);
        RenderOptions options;
        const auto error = setHostOption(options, c.name, c.text);
        if (c.error.empty())
            EXPECT_FALSE(error) << *error;
        else
            EXPECT_NE(error.value_or("").find(c.error), std::string::npos) << error.value_or("");
    }
    RenderOptions options;
    ASSERT_FALSE(setHostOption(options, "size", "300x60"));
    EXPECT_EQ(options.width, 300);
    EXPECT_EQ(options.height, 60);
    for (const auto& option : hostOptions()) EXPECT_EQ(findHostOption(option.name), &option);
}

TEST(MakeSymbol, StatusAndMessagesFollowTheRequest) {
    struct Case {
        SymbolRequest request;
        SymbolStatus status;
        std::string message;
    };
    const Case cases[] = {
        {{.control = "barcode1d", .properties = {{"Code", "ABC"}}}, SymbolStatus::Ok, ""},
        {{.control = "Barcode1D"}, SymbolStatus::Ok, ""},
        {{.control = "qr"}, SymbolStatus::Usage, "unknown control \"qr\""},
        {{.control = "barcode1d", .properties = {{"Nope", "1"}}, .origins = {"--set"}},
         SymbolStatus::Usage,
         "--set: unknown property \"Nope\""},
        {{.control = "barcode1d", .properties = {{"Code", "aBc"}}, .options = {.strict = true}},
         SymbolStatus::StrictWarnings,
         ""},
        {{.control = "barcode1d", .properties = {{"barType", "UPCE"}, {"Code", "012345678905"}}},
         SymbolStatus::NotRepresentable,
         ""},
        {{.control = "datamatrix", .segments = true},
         SymbolStatus::Usage,
         "--macro does not apply to datamatrix"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.control);
        const auto r = makeSymbol(c.request, ImageFormat::Svg);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
        if (c.status != SymbolStatus::Usage) {
            ASSERT_EQ(r.images.size(), 1u);
            EXPECT_FALSE(r.images[0].bytes.empty());
        }
    }
}

TEST(MakeSymbol, MacroPdfGivesOneImagePerSegment) {
    SymbolRequest request{.control = "pdf417",
                          .properties = {{"Code", std::string(600, 'M')}, {"PDFMaxRows", "10"}},
                          .segments = true};
    const auto r = makeSymbol(request, ImageFormat::Png);
    ASSERT_EQ(r.status, SymbolStatus::Ok);
    EXPECT_GE(r.segmentCount, 2);
    EXPECT_EQ(r.images.size(), static_cast<std::size_t>(r.segmentCount));
}

}  // namespace
}  // namespace qv
