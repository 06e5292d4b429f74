// What people type: names in any case and punctuation, near misses with a suggestion, standard
// output, the version.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "image_file.h"
#include "run.h"

namespace qv::cli::test {
namespace {

TEST(CliTyping, MessagesForWhatPeopleType) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string text;  // in the output, or the messages when the status is not 0
    };
    const Case cases[] = {
        {{"--version"}, kExitOk, "quorvantix 0."},
        {{"barcode1d", "--scal", "2"}, kExitUsage, "unknown option --scal; did you mean --scale?"},
        {{"barcode1d", "--batc", "-"}, kExitUsage, "did you mean --batch?"},
        {{"barcode1d", "--set", "BarHieght=3", "--info"},
         kExitUsage,
         "unknown property \"BarHieght\"; did you mean BarHeightPixels?"},
        {{"barcode1d", "-t", "EAN14", "--info"}, kExitUsage, "; did you mean EAN13?"},
        {{"barcode1d", "--set", "Zzzzzzzz=1", "--info"}, kExitUsage, "\"Zzzzzzzz\"\n"},
        {{"barcod", "--info"}, kExitUsage, "did you mean barcode1d?"},
        {{"barcode1d", "-t", "ean-13", "-d", "590123412345", "--info"}, kExitOk, "barType=EAN13"},
        {{"barcode1d", "-t", "Code 128", "--info"}, kExitOk, "barType=CODE128"},
        {{"BarCode1D", "--info"}, kExitOk, "barType=CODE39"},
        {{"barcode1d", "-d", "A"}, kExitUsage, "nothing to write: give -o FILE"},
        {{"pdf417", "--macro", "-o", "-"}, kExitUsage, "-o - writes one image"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Outcome r = runOn(builtinControls(), c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        const std::string& where = c.status == kExitOk ? r.out : r.err;
        EXPECT_NE(where.find(c.text), std::string::npos) << where;
    }
}

TEST(CliPdf417, ErrorCorrectionFollowsTheDataUnlessSet) {
    struct Case {
        std::vector<std::string> settings;
        std::string line;
    };
    const Case cases[] = {
        {{"-d", std::string(10, 'a')}, "PDFECLevel=2"},   // 12 data codewords
        {{"-d", std::string(48, 'a')}, "PDFECLevel=3"},   // 42
        {{"-d", std::string(200, 'a')}, "PDFECLevel=4"},  // 169
        {{"-d", std::string(400, 'a')}, "PDFECLevel=5"},  // 336
        {{"--set", "PDFMode=PDF_NUMERIC", "-d", std::string(120, '7')}, "PDFECLevel=3"},
        {{"--set", "PDFECLevel=0", "-d", std::string(400, 'a')}, "PDFECLevel=0"},
        // Rows limited to 3 of 10 columns: error correction takes at most half of them.
        {{"--set", "PDFMaxRows=3", "-d", std::string(400, 'a')}, "PDFECLevel=2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const Outcome r = runOn(builtinControls(), join(join({"pdf417"}, c.settings), {"--info"}));
        EXPECT_TRUE(hasLine(r.out, c.line)) << r.err;
    }
}

TEST(CliPdf417, ValuesOutOfRangeAndRowsThatDoNotFitAreNamed) {
    struct Case {
        std::vector<std::string> settings;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"PDFColumns=50"}, kExitNotRepresentable, "warning: PDFColumns=50 is outside 1 to 30"},
        {{"PDFColumns=50"}, kExitNotRepresentable, "PDFColumns takes 1 to 30"},
        {{"PDFECLevel=9"}, kExitOk, "warning: PDFECLevel=9 is outside 0 to 8"},
        {{"PDFECLevel=-3"}, kExitOk, "warning: PDFECLevel=-3 is outside 0 to 8"},
        {{"PDFColumns=1", "PDFMaxRows=3"}, kExitNotRepresentable, "a higher PDFMaxRows, or"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TempDir dir;
        std::vector<std::string> args{"pdf417", "-d", std::string(100, 'p')};
        for (const auto& s : c.settings) args.insert(args.end(), {"--set", s});
        const Outcome r = runOn(builtinControls(), join(args, {"-o", dir.file("p.png")}));
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CliTyping, DashWritesThePngToStandardOutput) {
    TempDir dir;
    const Outcome piped = runOn(builtinControls(), {"datamatrix", "-d", "piped", "-o", "-"});
    ASSERT_EQ(piped.status, kExitOk) << piped.err;
    ASSERT_EQ(
        runOn(builtinControls(), {"datamatrix", "-d", "piped", "-o", dir.file("f.png")}).status,
        kExitOk);
    EXPECT_EQ(piped.out, readText(dir.file("f.png")));
    EXPECT_EQ(dir.files().size(), 1u);
}

}  // namespace
}  // namespace qv::cli::test
