// Symbols that would not read as their data are refused by every host: status 4 and nothing
// written for a single run, a failed line in a batch, an error from the render calls.
#include <gtest/gtest.h>

#include <sstream>

#include "cli_run.h"
#include "image_file.h"
#include "quorvantix/host.h"
#include "run.h"

namespace qv::cli::test {
namespace {

struct Refusal {
    std::string control;
    std::vector<std::pair<std::string, std::string>> properties;
    std::vector<std::string> hostOptions;  // as the command line takes them
    std::string message;
};

const Refusal kRefusals[] = {
    {"barcode1d", {{"barType", "EAN13"}, {"Code", "5901234123458"}}, {}, "is 7, not 8"},
    {"barcode1d", {{"barType", "UPCA"}, {"Code", "036000291453"}}, {}, "is 2, not 3"},
    {"barcode1d", {{"barType", "EAN8"}, {"Code", "12345678"}}, {}, "is 0, not 8"},
    {"barcode1d", {{"barType", "EAN13"}, {"Code", "59012341234"}}, {}, "takes 12 digits"},
    {"barcode1d", {{"barType", "EAN13"}, {"Code", "59012341234570"}}, {}, "not 14"},
    {"barcode1d", {{"barType", "UPCA"}, {"Code", "1234"}}, {}, "takes 11 digits"},
    {"barcode1d", {{"barType", "EAN13"}, {"Code", "ABC"}}, {}, "digits only"},
    {"barcode1d",
     {{"barType", "EAN13"}, {"checkCharacter", "false"}, {"Code", "590123412345"}},
     {},
     "takes 13 digits"},
    {"barcode1d", {{"Code", "hello world"}}, {}, "CODE39 can draw nothing"},
    {"barcode1d", {{"barType", "CODE93"}, {"Code", "lower"}}, {}, "CODE93 can draw nothing"},
    {"barcode1d", {{"barType", "CODE128"}, {"Code128Set", "C"}, {"Code", "xy"}}, {}, "nothing"},
    {"barcode1d", {{"barType", "MSI"}, {"Code", "ABC"}}, {}, "MSI can draw nothing"},
    {"barcode1d", {{"X", "0"}}, {}, "X is 0"},
    {"datamatrix", {{"PixelsDot", "0"}}, {}, "PixelsDot is 0"},
    {"pdf417", {{"BarWidthPixels", "0"}}, {}, "BarWidthPixels is 0"},
    {"maxicode", {{"mode", "1"}}, {}, "mode 1 is no MaxiCode mode"},
    {"maxicode", {{"mode", "7"}}, {}, "mode 7 is no MaxiCode mode"},
    {"maxicode", {{"mode", "2"}, {"data", "parcel"}}, {}, "needs a postal code"},
    {"maxicode",
     {{"mode", "2"}, {"zipCode", "12345"}, {"country", "USA"}, {"serviceClass", "1"}},
     {},
     "country takes a number"},
    {"maxicode",
     {{"mode", "3"}, {"zipCode", "AB12"}, {"country", "826"}, {"serviceClass", "first"}},
     {},
     "serviceClass takes a number"},
    {"barcode1d",
     {{"barType", "CODE128"}, {"Code", "PARCEL-00001"}},
     {"--size", "100x50"},
     "would cut it"},
};

std::vector<std::string> settings(const Refusal& r) {
    std::vector<std::string> args{r.control};
    for (const auto& [name, value] : r.properties)
        args.insert(args.end(), {"--set", name + "=" + value});
    args.insert(args.end(), r.hostOptions.begin(), r.hostOptions.end());
    return args;
}

TEST(Refusals, SingleRunsExitFourAndWriteNothing) {
    for (const auto& r : kRefusals) {
        SCOPED_TRACE(r.message);
        TempDir dir;
        const Outcome out = runOn(builtinControls(), join(settings(r), {"-o", dir.file("s.png")}));
        EXPECT_EQ(out.status, kExitNotRepresentable) << out.err;
        EXPECT_NE(out.err.find("error: "), std::string::npos) << out.err;
        EXPECT_NE(out.err.find(r.message), std::string::npos) << out.err;
        EXPECT_TRUE(dir.files().empty());
    }
}

TEST(Refusals, BatchLinesFailAndTheOthersAreWritten) {
    for (const auto& r : kRefusals) {
        SCOPED_TRACE(r.message);
        TempDir dir;
        std::string line;  // a tab after each field, so that one field is no data line
        for (const auto& [name, value] : r.properties) line += name + "=" + value + "\t";
        std::vector<std::string> args{r.control};
        args.insert(args.end(), r.hostOptions.begin(), r.hostOptions.end());
        args.insert(args.end(), {"--batch", "-", "-o", dir.file("b-%d.svg")});
        std::istringstream in(line + "\n");
        std::ostringstream out, err;
        const int status = runWith(builtinControls(), args, out, err, {.input = &in});
        EXPECT_EQ(status, kExitOutputFailed) << err.str();
        EXPECT_NE(err.str().find("line 1: error: "), std::string::npos) << err.str();
        EXPECT_NE(err.str().find(r.message), std::string::npos) << err.str();
        EXPECT_TRUE(dir.files().empty());
    }
}

TEST(Refusals, TheRenderCallsRefuseThemToo) {
    for (const auto& r : kRefusals) {
        SCOPED_TRACE(r.message);
        RenderOptions options;
        for (std::size_t i = 0; i + 1 < r.hostOptions.size(); i += 2)
            ASSERT_FALSE(setHostOption(options, r.hostOptions[i].substr(2), r.hostOptions[i + 1]));
        const auto control = findControlKind(r.control)->create();
        for (const auto& [name, value] : r.properties)
            ASSERT_EQ(setPropertyText(*control, name, value).error, "");
        TempDir dir;
        const RenderedImage file = renderToFile(*control, dir.file("r.svg"), options);
        EXPECT_FALSE(file.ok());
        EXPECT_NE(file.error.find(r.message), std::string::npos) << file.error;
        EXPECT_TRUE(dir.files().empty());
    }
}

}  // namespace
}  // namespace qv::cli::test
