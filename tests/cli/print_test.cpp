// The print options on the command line: physical sizes, read-back with its exit status, one
// PDF for a Macro PDF417 sequence.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli_run.h"
#include "image_file.h"
#include "run.h"

namespace qv::cli::test {
namespace {


TEST(CliPrint, StatusesOfThePrintOptions) {
    struct Case {
        std::vector<std::string> args;  // -o FILE is appended
        int status;
        std::string message;  // in the output or the messages
        bool written;
    };
    const Case cases[] = {
        {{"barcode1d", "-t", "EAN13", "-d", "590123412345", "--dpi", "300", "--xdim", "0.33mm",
          "--verify", "--info"},
         kExitOk,
         "X-dimension 0.339 mm = 4 dots at 300 dpi",
         true},
        {{"barcode1d", "-t", "EAN13", "-d", "590123412345", "--dpi", "300", "--xdim", "0.2mm",
          "--strict"},
         kExitStrictWarnings,
         "outside 0.264 to 0.660 mm",
         false},
        {{"barcode1d", "-t", "CODE128", "-d", "hello", "--set", "BarColor=#FFFFFF", "--verify"},
         kExitVerifyFailed,
         "verification failed",
         false},
        {{"barcode1d", "-t", "CODE11", "-d", "123", "--verify"}, kExitOk, "not verified", true},
        {{"barcode1d", "--xdim", "13mil"}, kExitUsage, "need the printer's resolution", false},
        {{"datamatrix", "--dpi", "300", "--bar-height", "5mm"},
         kExitUsage,
         "--bar-height does not apply",
         false},
        {{"maxicode", "--dpi", "300", "--info", "--verify"}, kExitOk, "X-dimension", true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string file = dir.file("out.pdf");
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        const Outcome r = runOn(builtinControls(), join(c.args, {"-o", file}));
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((r.out + r.err).find(c.message), std::string::npos) << r.out << r.err;
        EXPECT_EQ(std::filesystem::exists(file), c.written);
    }
}

TEST(CliPrint, BatchFailsOnlyTheLinesThatDoNotReadBack) {
    TempDir dir;
    std::istringstream in("Code=first\nCode=second\tBarColor=#FFFFFF\nCode=third\n");
    std::ostringstream out, err;
    const int status = runWith(
        builtinControls(),
        {"barcode1d", "-t", "CODE128", "--verify", "--batch", "-", "-o", dir.file("line-%d.png")},
        out, err, {.input = &in});
    EXPECT_EQ(status, kExitOutputFailed);
    EXPECT_NE(err.str().find("line 2: error: verification failed"), std::string::npos) << err.str();
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"line-1.png", "line-3.png"}));
}

TEST(CliPrint, MacroPdf417IsOnePdf) {
    TempDir dir;
    std::string data;
    for (int i = 0; i < 9; ++i) data += "Macro PDF417 segment data ";
    const Outcome r = runOn(builtinControls(),
                            {"pdf417", "--macro", "-d", data, "--set", "PDFMaxRows=22", "--set",
                             "PDFColumns=4", "--verify", "-o", dir.file("letter.pdf")});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(dir.files(), std::vector<std::string>{"letter.pdf"});
    const std::string pdf = readText(dir.file("letter.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0U);
}

}  // namespace
}  // namespace qv::cli::test
