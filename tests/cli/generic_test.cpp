// The command over a fake control: usage errors, property text, sizes, notes, output files.
#include <gtest/gtest.h>

#include <sstream>

#include "cli_run.h"
#include "fake_control.h"
#include "image_file.h"
#include "property_setting.h"
#include "run.h"

namespace qv::cli::test {
namespace {

Outcome runFake(const std::vector<std::string>& args) {
    return runOn(fakeControls(), args);
}

TEST(CliUsage, BadUsageFailsWithAMessageAndWritesNothing) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{}, "usage:"},
        {{"nosuch"}, "unknown control \"nosuch\"; the controls are: fake bare"},
        {{"fake", "--set", "Nope=1"}, "unknown property \"Nope\""},
        {{"fake", "--set", "Count=abc"}, "\"abc\" does not fit Count (a 32-bit integer)"},
        {{"fake", "--set", "Count=2147483648"}, "does not fit Count"},
        {{"fake", "--set", "Flag=yes"}, "does not fit Flag (true, false, 1 or 0)"},
        {{"fake", "--set", "Small=40000"}, "does not fit Small"},
        {{"fake", "--set", "Kind=ROUND"}, "does not fit Kind (SQUARE, WIDE or a number)"},
        {{"fake", "-t", "ROUND"}, "-t: \"ROUND\" does not fit Kind"},
        {{"fake", "--set", "BackColor=#GGGGGG"}, "does not fit BackColor (#RRGGBB or a number)"},
        {{"fake", "--set", "Ratio=1.5x"}, "does not fit Ratio"},
        {{"fake", "--set", "Result=x"}, "property \"Result\" is read-only"},
        {{"fake", "--set", "Count"}, "--set takes NAME=VALUE"},
        {{"fake", "--set", "=3"}, "--set takes NAME=VALUE"},
        {{"fake", "--set", "Font.Size=3"}, "a font has no field \"Size\""},
        {{"fake", "--set", "Font.Height=tall"}, "does not fit Font.Height"},
        {{"fake", "--set", "Count.Name=3"}, "property \"Count\" has no fields"},
        {{"fake", "--set", "Font=Arial"}, "does not fit Font"},
        {{"fake", "--set"}, "--set needs a value"},
        {{"fake", "-d"}, "-d needs a value"},
        {{"fake", "-o"}, "-o needs a value"},
        {{"fake", "--size"}, "--size needs a value"},
        {{"fake", "--size", "0x10"}, "has no area"},
        {{"fake", "--size", "20001x10"}, "larger than the limit of 20000 pixels a side"},
        {{"fake", "--size", "10000x10000"}, "67108864 pixels in all"},
        {{"fake", "--size", "99999999999999x1"}, "--size takes WIDTHxHEIGHT"},
        {{"fake", "--size", "abc"}, "--size takes WIDTHxHEIGHT"},
        {{"fake", "--size", "10x"}, "--size takes WIDTHxHEIGHT"},
        {{"fake", "--size", "x10"}, "--size takes WIDTHxHEIGHT"},
        {{"fake", "--size", "-5x10"}, "has no area"},
        {{"fake", "--size", "10x10x10"}, "--size takes WIDTHxHEIGHT"},
        {{"fake", "--size", "+5x10"}, "--size takes WIDTHxHEIGHT"},
        {{"bare", "-t", "WIDE"}, "bare has no symbology to choose: -t does not apply"},
        {{"bare", "--macro"}, "--macro does not apply to bare"},
        {{"fake", "--bogus"}, "unknown option --bogus"},
        {{"fake", "extra"}, "unexpected argument \"extra\""},
        {{"fake", "--set", "LeftMargin=30000"}, "larger than the limit"},
        {{"fake", "--set", "Count=100000"}, "larger than the limit"},
        {{"fake", "--set", "Count=2000", "--set", "TopMargin=19990"}, "pixels in all"},
        {{"fake", "-o", "x.jpg"}, "must end in .png, .svg, .pdf or .eps"},
        {{"fake", "-o", "png"}, "must end in .png, .svg, .pdf or .eps"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        // The good -o comes first: a later bad one replaces it.
        const auto args = join({"-o", dir.file("out.png")}, c.args);
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runFake(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(dir.files().empty());
    }
}

TEST(CliUsage, HelpListsControlsAndProperties) {
    Outcome r = runFake({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.out.find("fake  bars for tests"), std::string::npos) << r.out;
    r = runFake({"fake", "--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.out.find("-d sets Code, -t sets Kind"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Result (string, read-only"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("SQUARE, WIDE or a number"), std::string::npos) << r.out;
}

// What --info prints for a property after the given settings.
TEST(CliProperties, ValuesParsePerTypeWithNamesInAnyCase) {
    struct Case {
        std::vector<std::string> args;
        std::string line;
    };
    const Case cases[] = {
        {{"--set", "Flag=1"}, "Flag=true"},
        {{"--set", "flag=TRUE", "--set", "FLAG=0"}, "Flag=false"},
        {{"--set", "Count=-7"}, "Count=-7"},
        {{"--set", "count=0x10"}, "Count=16"},
        {{"--set", "Count=1", "--set", "COUNT=2"}, "Count=2"},
        {{"--set", "Ratio=2.25"}, "Ratio=2.25"},
        {{"--set", "Small=-32768"}, "Small=-32768"},
        {{"--set", "Kind=wide"}, "Kind=WIDE"},
        {{"--set", "Kind=1"}, "Kind=WIDE"},
        {{"--set", "Kind=7"}, "Kind=7"},
        {{"-t", "WIDE"}, "Kind=WIDE"},
        {{"--set", "BackColor=#FF8000"}, "BackColor=#FF8000"},
        {{"--set", "BarColor=255"}, "BarColor=#FF0000"},
        {{"--set", "Font.Name=DejaVu Serif", "--set", "font.height=12"}, "Font=DejaVu Serif,12"},
        {{"--set", "Font=none"}, "Font=(none)"},
        {{"--set", "Font=none", "--set", "Font.Height=-9"}, "Font=MS Sans Serif,-9"},
        {{"--set", "Font=DejaVu Sans,14"}, "Font=DejaVu Sans,14"},
        {{"-d", "a b=c"}, "Code=a b=c"},
        {{"--set", "Code=x=y"}, "Code=x=y"},
        {{"-d", "-5"}, "Code=-5"},
        {{}, "Result=painted ABC"},
    };
    for (const auto& c : cases) {
        const auto args = join(join({"fake"}, c.args), {"--info"});
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runFake(args);
        EXPECT_EQ(r.status, kExitOk) << r.err;
        EXPECT_TRUE(hasLine(r.out, c.line)) << r.out;
    }
}

TEST(CliProperties, FontFieldsChangeOnlyTheirField) {
    FakeControl c;
    EXPECT_EQ(setProperty(c, "font.color", "#0000FF").property, "Font");
    EXPECT_EQ(setProperty(c, "Font.Bold", "true").error, "");
    EXPECT_EQ(setProperty(c, "Font.Italic", "1").error, "");
    EXPECT_EQ(setProperty(c, "Font.Underline", "true").error, "");
    EXPECT_EQ(setProperty(c, "Font.Strikeout", "true").error, "");
    Font expected;
    expected.color = 0xFF0000;
    expected.bold = expected.italic = expected.underline = expected.strikeout = true;
    EXPECT_EQ(c.TextFont, expected);
}

TEST(CliInfo, PrintsEveryPropertyInDeclarationOrder) {
    const Outcome r = runFake({"fake", "--info"});
    ASSERT_EQ(r.status, kExitOk);
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> names;
    while (std::getline(lines, line)) names.push_back(line.substr(0, line.find('=')));
    const std::vector<std::string> expected = {"Code",       "Flag",      "Count",     "Ratio",
                                               "Small",      "Kind",      "BackColor", "BarColor",
                                               "LeftMargin", "TopMargin", "Indent",    "Font",
                                               "Segments",   "Segment",   "Result"};
    EXPECT_EQ(names, expected);
}

TEST(CliInfo, DataSetsWhatTheUserLeftAlone) {
    struct Case {
        std::vector<std::string> args;
        std::string line;
    };
    const Case cases[] = {
        {{"-d", "1AB"}, "Flag=true"},
        {{"-d", "1AB", "--set", "FLAG=false"}, "Flag=false"},
        {{"-d", "2AB", "--set", "flag=1"}, "Flag=true"},
        {{"-d", "2AB"}, "Flag=false"},
    };
    for (const auto& c : cases) {
        const Outcome r = runFake(join(join({"fake"}, c.args), {"--info"}));
        EXPECT_NE(r.out.find(c.line), std::string::npos) << testing::PrintToString(c.args);
    }
}

// Bars end at LeftMargin + Indent + 4 x Count - 2 and TopMargin + 20; the margins repeat beyond.
TEST(CliImage, FitsWhatThePaintDrawsPlusTheMargins) {
    struct Case {
        std::vector<std::string> args;
        std::uint32_t width, height;
    };
    const Case cases[] = {
        {{"fake"}, 30, 30},
        {{"bare"}, 30, 30},
        {{"fake", "--set", "Count=1"}, 22, 30},
        {{"fake", "--set", "LeftMargin=0", "--set", "TopMargin=0"}, 10, 20},
        {{"fake", "--set", "Indent=6"}, 36, 30},  // the margin property, not the drawing
        {{"bare", "--set", "Indent=6"}, 42, 30},  // the drawing's own left edge
        {{"fake", "--set", "TopMargin=-5"}, 30, 20},  // moved down: nothing drawn is cut
        {{"fake", "--set", "Count=0"}, 10, 5},
        {{"fake", "--size", "50x40"}, 50, 40},
        {{"fake", "--size", "1X1"}, 1, 1},
        {{"fake", "--size", "20000x3"}, 20000, 3},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto args = join(c.args, {"-o", dir.file("out.PNG")});
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runFake(args);
        ASSERT_EQ(r.status, kExitOk) << r.err;
        const Image image = readPng(dir.file("out.PNG"));
        ASSERT_TRUE(image.ok);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(dir.files(), std::vector<std::string>{"out.PNG"});  // no temporary left over
    }
}

TEST(CliImage, PenStartsInTheBackgroundSoThereIsNoFrame) {
    TempDir dir;
    const Outcome r = runFake({"fake", "--set", "BackColor=#00FF00", "-o", dir.file("g.png")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const Image image = readPng(dir.file("g.png"));
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(image.pixel(image.width - 1, image.height - 1), 0x00FF00u);
    EXPECT_EQ(image.pixel(10, 5), 0u);
    EXPECT_EQ(image.pixel(12, 5), 0x00FF00u);
}

TEST(CliImage, SvgBySuffix) {
    TempDir dir;
    const Outcome r = runFake({"fake", "-o", dir.file("s.svg")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string svg = readText(dir.file("s.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"30\""), std::string::npos) << svg;
}

TEST(CliNotes, WarningsPassUnlessStrictErrorsNeverWrite) {
    struct Case {
        std::string data;
        bool strict;
        int status;
        bool written;
        std::string message;
    };
    const Case cases[] = {
        {"ABC", false, kExitOk, true, ""},
        {"ABC", true, kExitOk, true, ""},
        {"AB!", false, kExitOk, true, "quorvantix: warning: left out \"!\"\n"},
        {"AB!", true, kExitStrictWarnings, false, "no file written (--strict)"},
        {"AB?", false, kExitNotRepresentable, false, "quorvantix: error: cannot represent \"?\""},
        {"AB?!", true, kExitNotRepresentable, false, "no file written\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::vector<std::string> args = {"fake", "-d", c.data, "-o", dir.file("n.png")};
        if (c.strict) args.push_back("--strict");
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runFake(args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(dir.files().size(), c.written ? 1u : 0u);
        if (c.message.empty())
            EXPECT_EQ(r.err, "");
        else
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CliOutput, AFailedWriteReportsAndLeavesNothing) {
    TempDir dir;
    const Outcome r = runFake({"fake", "-o", dir.file("missing/out.png")});
    EXPECT_EQ(r.status, kExitOutputFailed);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
    EXPECT_TRUE(dir.files().empty());
}

TEST(CliSegments, OneFilePerSegmentOrNone) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {{"--set", "Segments=3"}, kExitOk, {"m-001.png", "m-002.png", "m-003.png"}},
        {{"--set", "Segments=1"}, kExitOk, {"m-001.png"}},
        {{"--set", "Segments=0"}, kExitNotRepresentable, {}},
        {{"--set", "Segments=-1"}, kExitNotRepresentable, {}},
        {{"--set", "Segments=2", "-d", "A!", "--strict"}, kExitStrictWarnings, {}},
        {{"--set", "Segments=2", "-d", "A?"}, kExitNotRepresentable, {}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto args = join({"fake", "--macro", "-o", dir.file("m.png")}, c.args);
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome r = runFake(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(dir.files(), c.files);
    }
    // Segment s draws s bars, each image fitted to its own.
    TempDir dir;
    ASSERT_EQ(runFake({"fake", "--macro", "--set", "Segments=3", "-o", dir.file("m.png")}).status,
              kExitOk);
    EXPECT_EQ(readPng(dir.file("m-001.png")).width, 22u);
    EXPECT_EQ(readPng(dir.file("m-003.png")).width, 30u);
}

}  // namespace
}  // namespace qv::cli::test
