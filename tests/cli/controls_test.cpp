// The command over the four real controls: what each writes reads back as its data, and what it
// cannot represent is refused.
#include <gtest/gtest.h>

#include <sstream>

#include "cli.h"
#include "cli_run.h"
#include "decode.h"
#include "image_file.h"
#include "run.h"

namespace qv::cli::test {
namespace {

Outcome runCli(const std::vector<std::string>& args) {
    return runOn(builtinControls(), args);
}

TEST(CliControls, TheCommandHostsTheFourControls) {
    std::ostringstream out, err;
    EXPECT_EQ(run({"--help"}, out, err), 0);
    for (const char* name : {"barcode1d ", "datamatrix ", "pdf417 ", "maxicode "})
        EXPECT_NE(out.str().find(name), std::string::npos) << name;
    for (const auto& entry : builtinControls()) {
        std::ostringstream help, none;
        EXPECT_EQ(run({std::string(entry.name), "--help"}, help, none), 0);
        EXPECT_NE(help.str().find(" (string"), std::string::npos) << entry.name;
    }
}

// Each symbol the command writes, read back by an independent reader.
TEST(CliControls, WrittenSymbolsReadBack) {
    struct Case {
        std::vector<std::string> args;
        ZXing::BarcodeFormat format;
        std::string text;
        bool pure = false;
    };
    const Case cases[] = {
        {{"barcode1d", "-d", "CLI-39", "--set", "checkCharacter=false"},
         ZXing::BarcodeFormat::Code39,
         "CLI-39"},
        {{"barcode1d", "-t", "EAN13", "-d", "590123412345"},
         ZXing::BarcodeFormat::EAN13,
         "5901234123457"},
        // Number system 0: the command chooses the parity the data needs.
        {{"barcode1d", "-t", "UPCE", "-d", "012345000065"}, ZXing::BarcodeFormat::UPCE, "01234565"},
        {{"barcode1d", "-t", "12", "-d", "112345000062"}, ZXing::BarcodeFormat::UPCE, "11234562"},
        {{"barcode1d", "-t", "code93ext", "-d", "Code 93 ext!"},
         ZXing::BarcodeFormat::Code93,
         "Code 93 ext!"},
        {{"datamatrix", "-d", "Quorvantix 2D"}, ZXing::BarcodeFormat::DataMatrix, "Quorvantix 2D"},
        {{"datamatrix", "-d", "rectangle", "--set", "PreferredFormat=C12X26"},
         ZXing::BarcodeFormat::DataMatrix,
         "rectangle"},
        {{"pdf417", "-d", "PDF417 from the command line", "--set", "BarHeightPixels=4"},
         ZXing::BarcodeFormat::PDF417,
         "PDF417 from the command line"},
        {{"maxicode", "-d", "MaxiCode 4", "--set", "resolution=300"},
         ZXing::BarcodeFormat::MaxiCode,
         "MaxiCode 4",
         true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto args = c.args;
        args.insert(args.end(), {"-o", dir.file("s.png")});
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const Image image = readPng(dir.file("s.png"));
        ASSERT_TRUE(image.ok);
        EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFu);  // no outline frame
        const auto decoded = qv::test::decode(*toBitmap(image), c.format, {.pure = c.pure});
        EXPECT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.text, c.text);
    }
}

// Without text, a linear symbol's extent is exact: Code 39 "1234567" is 129 pixels from x = 20,
// bars on rows 20 to 78.
TEST(CliControls, ImagesFitTheSymbolAndItsMargins) {
    struct Case {
        std::vector<std::string> args;
        std::uint32_t width, height;
    };
    const Case cases[] = {
        {{"barcode1d", "--set", "Font=none"}, 20 + 129 + 20, 20 + 59 + 20},
        {{"barcode1d", "--set", "Font=none", "--set", "leftmargin=5"}, 5 + 129 + 5, 20 + 59 + 20},
        // 26 x 26 modules of 4 pixels at 30, the last square one pixel wider.
        {{"datamatrix"}, 30 + 26 * 4 + 1 + 30, 30 + 26 * 4 + 1 + 30},
        // Three rows of 239 modules, each row 7 pixels and one line more.
        {{"pdf417"}, 10 + 239 + 10, 10 + 3 * 7 + 1 + 10},
        {{"pdf417", "--size", "300x60"}, 300, 60},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto args = c.args;
        args.insert(args.end(), {"-o", dir.file("s.png")});
        SCOPED_TRACE(testing::PrintToString(args));
        ASSERT_EQ(runCli(args).status, 0);
        const Image image = readPng(dir.file("s.png"));
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
    }
}

// MaxiCode's margins and offsets move the symbol; the image repeats their sum on the far side.
TEST(CliControls, MaxiCodeMarginsAndOffsetsRepeatOnTheFarSide) {
    TempDir dir;
    ASSERT_EQ(runCli({"maxicode", "-o", dir.file("a.png")}).status, 0);
    ASSERT_EQ(runCli({"maxicode", "--set", "LeftMargin=10", "--set", "offsetX=5", "--set",
                      "TopMargin=3", "--set", "offsetY=4", "-o", dir.file("b.png")})
                  .status,
              0);
    const Image a = readPng(dir.file("a.png"));
    const Image b = readPng(dir.file("b.png"));
    EXPECT_EQ(b.width, a.width + 2 * 15);
    EXPECT_EQ(b.height, a.height + 2 * 7);
}

TEST(CliControls, NotesDecideTheStatus) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"barcode1d", "-d", "aBc"}, 0, "warning: "},
        {{"barcode1d", "-d", "aBc", "--strict"}, 3, "no file written (--strict)"},
        {{"barcode1d", "-t", "99"}, 4, "error: "},
        // UPC-E cannot stand for this number: it would scan as another.
        {{"barcode1d", "-t", "UPCE", "-d", "012345678905"}, 4, "error: UPC-E cannot represent"},
        // The parity the user asked for does not fit the data.
        {{"barcode1d", "-t", "UPCE", "-d", "012345000065", "--set", "UPCESytem=1"}, 4, "error: "},
        {{"datamatrix", "-d", std::string(3200, 'x')}, 4, "1558"},
        {{"pdf417", "--set", "PDFMode=PDF_NUMERIC", "-d", "12a"}, 4, "error: "},
        {{"pdf417", "--set", "PDFColumns=1", "--set", "PDFMaxRows=3", "-d", std::string(200, 'x')},
         4,
         "error: "},
        {{"maxicode", "--set", "resolution=abc"}, 2, "does not fit resolution"},
        {{"pdf417", "--set", "PDFMacroSegmentCount=3"}, 2, "is read-only"},
        {{"maxicode", "-t", "x"}, 2, "-t does not apply"},
        {{"datamatrix", "--macro"}, 2, "--macro does not apply"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto args = c.args;
        args.insert(args.end(), {"-o", dir.file("s.png")});
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runCli(args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(dir.files().size(), c.status == 0 ? 1u : 0u);
    }
}

TEST(CliControls, InfoShowsTheResultsOfThePaint) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"barcode1d"}, {"L=129", "BarHeightPixels=58", "barType=CODE39", "Code=1234567"}},
        {{"barcode1d", "-t", "EAN13", "-d", "590123412345"}, {"codeText=5901234123457"}},
        {{"barcode1d", "-t", "UPCE", "-d", "012345000065"}, {"UPCESytem=0"}},
        {{"barcode1d", "-t", "UPCE", "-d", "112345000062"}, {"UPCESytem=1"}},
        {{"datamatrix"}, {"CalculatedFormat=C26X26", "CurrentX=134", "CurrentY=134"}},
        {{"maxicode", "--set", "resolution=300"},
         {"WHexagon=10", "HHexagon=12", "preferredWidth=300", "preferredHeight=300"}},
        // Neither hexagon width fits 96 dpi: the second try stays.
        {{"maxicode", "--set", "RESOLUTION=96"}, {"WHexagon=4", "HHexagon=5"}},
        {{"maxicode", "--set", "l=27"}, {"L=27", "WHexagon=7"}},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.push_back("--info");
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        for (const auto& line : c.lines) EXPECT_TRUE(hasLine(r.out, line)) << line << "\n" << r.out;
    }
}

TEST(CliControls, MacroPdfWritesEverySegment) {
    TempDir dir;
    const Outcome r =
        runCli({"pdf417", "--macro", "-d", std::string(600, 'M'), "--set", "PDFMaxRows=10", "--set",
                "PDFMacroFileId=7", "--set", "BarHeightPixels=4", "-o", dir.file("m.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto files = dir.files();
    ASSERT_GE(files.size(), 2u);
    for (std::size_t i = 0; i < files.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "m-%03zu.png", i + 1);
        EXPECT_EQ(files[i], name);
        const auto decoded =
            qv::test::decode(*toBitmap(readPng(dir.file(files[i]))), ZXing::BarcodeFormat::PDF417);
        EXPECT_TRUE(decoded.ok) << files[i];
    }
}

}  // namespace
}  // namespace qv::cli::test
