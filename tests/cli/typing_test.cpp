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
