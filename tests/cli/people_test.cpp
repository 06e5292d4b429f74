// The command as people meet it: help from the property tables, batch runs, --scale and
// --quiet-zone, and the render calls behind the files.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "batch.h"
#include "cli_run.h"
#include "fake_control.h"
#include "image_file.h"
#include "property_setting.h"
#include "quorvantix/render.h"
#include "run.h"
#include "sizing.h"

namespace qv::cli::test {
namespace {

Outcome runBatchOn(std::span<const ControlEntry> controls, const std::vector<std::string>& args,
                   const std::string& input, bool progress = false) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runWith(controls, args, out, err, {.input = &in, .progress = progress});
    return {status, out.str(), err.str()};
}

std::string readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::map<std::string, std::string> valuesOf(const Control& control) {
    std::map<std::string, std::string> values;
    for (const auto& p : control.properties())
        if (p.get) values[std::string(p.name)] = formatProperty(p, p.get(control));
    return values;
}

TEST(CliHelp, EveryControlListsEveryPropertyWithTypeDefaultAndMeaning) {
    const Outcome usage = runOn(builtinControls(), {"--help"});
    for (const char* option :
         {"--batch", "--csv", "-j N", "--scale N", "--quiet-zone", "exit status"})
        EXPECT_NE(usage.out.find(option), std::string::npos) << option;
    for (const auto& entry : builtinControls()) {
        const Outcome r = runOn(builtinControls(), {std::string(entry.name), "--help"});
        ASSERT_EQ(r.status, kExitOk);
        const auto control = entry.create();
        for (const auto& p : control->properties()) {
            SCOPED_TRACE(std::string(entry.name) + "." + std::string(p.name));
            EXPECT_FALSE(p.help.empty());
            const std::string shown = "  " + std::string(p.name) + " (";
            const auto at = r.out.find(shown);
            ASSERT_NE(at, std::string::npos) << r.out;
            const std::string line = r.out.substr(at, r.out.find('\n', at) - at);
            const std::string initially =
                "initially " + (p.defaultText.empty() ? "empty" : std::string(p.defaultText));
            EXPECT_NE(line.find(initially), std::string::npos) << line;
            EXPECT_NE(line.find(std::string(p.help)), std::string::npos) << line;
        }
        // What --scale and --quiet-zone write is named in the help too.
        for (auto name : entry.scaled)
            EXPECT_NE(r.out.find(std::string(name)), std::string::npos) << name;
    }
}

// --scale multiplies the documented properties and nothing else; --quiet-zone sets the margins
// to whole modules of the scaled size.
TEST(CliSizing, WritesExactlyTheDocumentedProperties) {
    struct Case {
        std::string control;
        std::vector<std::pair<std::string, std::string>> before;
        std::int32_t scale;
        std::optional<std::int32_t> zone;
        std::map<std::string, std::string> changed;
    };
    const Case cases[] = {
        {"barcode1d",
         {{"X", "2"}, {"BarHeightPixels", "30"}},
         3,
         10,
         {{"X", "6"},
          {"Font", "MS Sans Serif,30"},  // the text grows with the bars
          {"supSeparation", "30"},
          {"BarHeightPixels", "90"},
          {"postnetHeightTallBar", "60"},
          {"postnetHeightShortBar", "30"},
          {"LeftMargin", "60"},
          {"TopMargin", "60"}}},
        // A computed bar height (0) stays computed; extraHeight scales with the bars.
        {"barcode1d",
         {{"extraHeight", "4"}},
         2,
         std::nullopt,
         {{"X", "2"},
          {"Font", "MS Sans Serif,20"},
          {"supSeparation", "20"},
          {"extraHeight", "8"},
          {"postnetHeightTallBar", "40"},
          {"postnetHeightShortBar", "20"}}},
        {"datamatrix", {}, 2, 2, {{"PixelsDot", "8"}, {"Margin", "16"}}},
        {"datamatrix", {}, 1, 0, {{"Margin", "0"}}},
        {"pdf417",
         {},
         4,
         2,
         {{"BarWidthPixels", "4"},
          {"BarHeightPixels", "28"},
          {"LeftMargin", "8"},
          {"TopMargin", "8"}}},
        // The resolution sets the hexagon size; the quiet zone counts in hexagon widths.
        {"maxicode",
         {},
         2,
         1,
         {{"resolution", "400"},
          {"WHexagon", "14"},
          {"HHexagon", "16"},
          {"preferredWidth", "420"},
          {"preferredHeight", "400"},
          {"LeftMargin", "14"},
          {"TopMargin", "14"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control + " scale " + std::to_string(c.scale));
        const ControlEntry* entry = findControl(builtinControls(), c.control);
        ASSERT_NE(entry, nullptr);
        const auto control = entry->create();
        for (const auto& [name, value] : c.before)
            ASSERT_EQ(setProperty(*control, name, value).error, "");
        const auto before = valuesOf(*control);
        applySizing(*entry, *control, c.scale, c.zone);
        std::map<std::string, std::string> changed;
        for (const auto& [name, value] : valuesOf(*control))
            if (before.at(name) != value) changed[name] = value;
        EXPECT_EQ(changed, c.changed);
    }
}

TEST(CliSizing, LargeProductsStopAtTheLimitAndTheImageSaysSo) {
    const ControlEntry* entry = findControl(builtinControls(), "datamatrix");
    const auto control = entry->create();
    ASSERT_EQ(setProperty(*control, "PixelsDot", "2000000000").error, "");
    applySizing(*entry, *control, 100, 1000);
    EXPECT_EQ(valuesOf(*control).at("PixelsDot"), "2147483647");
    EXPECT_EQ(valuesOf(*control).at("Margin"), "2147483647");

    TempDir dir;
    const Outcome r =
        runOn(builtinControls(), {"datamatrix", "--scale", "100", "-o", dir.file("big.png")});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_NE(r.err.find("larger than the limit"), std::string::npos) << r.err;
    EXPECT_TRUE(dir.files().empty());
}

TEST(CliSizing, ScaledImagesGrowByTheFactor) {
    TempDir dir;
    ASSERT_EQ(
        runOn(builtinControls(), {"datamatrix", "--quiet-zone", "2", "-o", dir.file("one.png")})
            .status,
        kExitOk);
    ASSERT_EQ(runOn(builtinControls(), {"datamatrix", "--scale", "3", "--quiet-zone", "2", "-o",
                                        dir.file("three.png")})
                  .status,
              kExitOk);
    // 26 modules and 2 + 2 of quiet zone, the last square one pixel wider.
    EXPECT_EQ(readPng(dir.file("one.png")).width, 30u * 4 + 1);
    EXPECT_EQ(readPng(dir.file("three.png")).width, 30u * 12 + 1);
}

TEST(CliUsage, BatchAndSizingMistakesAreUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"fake", "--batch", "-"}, "--batch needs -o PATTERN"},
        {{"fake", "--batch", "-", "-o", "same.png"}, "put %d (the line number) or {NAME}"},
        {{"fake", "--batch", "-", "-o", "a-%x.png"}, "% starts %d"},
        {{"fake", "--batch", "-", "-o", "a-%021d.png"}, "% starts %d"},
        {{"fake", "--batch", "-", "-o", "a-{.png"}, "{ starts a field name"},
        {{"fake", "--batch", "-", "-o", "a-{}.png"}, "{ starts a field name"},
        {{"fake", "--batch", "-", "-o", "a-%d.jpg"}, "must end in .png, .svg, .pdf or .eps"},
        {{"fake", "--batch", "-", "-o", "a-%d.png", "--info"}, "--info does not apply"},
        {{"fake", "--batch", "/no/such/file", "-o", "a-%d.png"}, "cannot read the file"},
        {{"fake", "--batch"}, "--batch needs a value"},
        {{"fake", "-j", "0"}, "-j takes a whole number from 1 to 256"},
        {{"fake", "-j", "257"}, "-j takes a whole number from 1 to 256"},
        {{"fake", "-j", "2", "-o", "one.png"}, "-j applies to --batch only"},
        {{"fake", "--scale", "0"}, "--scale takes a whole number from 1 to 100"},
        {{"fake", "--scale", "1.5"}, "--scale takes a whole number"},
        {{"fake", "--quiet-zone", "-1"}, "--quiet-zone takes a whole number from 0 to 1000"},
        {{"fake", "--scale", "2"}, "--scale does not apply to fake"},
        {{"bare", "--quiet-zone", "2"}, "--quiet-zone does not apply to bare"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Outcome r = runBatchOn(fakeControls(), c.args, "A\n");
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    // Without an input stream, standard input is refused rather than waited for.
    const Outcome r = runOn(fakeControls(), {"fake", "--batch", "-", "-o", "a-%d.png"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_NE(r.err.find("no standard input"), std::string::npos) << r.err;
}

TEST(CliBatch, NamePatterns) {
    struct Case {
        std::string pattern;
        std::vector<Assignment> fields;
        std::string name;
        std::string error;
    };
    const Case cases[] = {
        {"l-%d.png", {}, "l-7.png", ""},
        {"l-%04d.png", {}, "l-0007.png", ""},
        {"l-%3d.png", {}, "l-  7.png", ""},
        {"100%%-%d.svg", {}, "100%-7.svg", ""},
        {"{Code}.png", {{"-d", "Code", "ABC-1"}}, "ABC-1.png", ""},
        {"{sku}-%02d.png", {{"field", "SKU", "x/../y z"}}, "x_.._y_z-07.png", ""},
        {"{sku}.png", {{"field", "sku", "../up"}}, "_._up.png", ""},
        {"{sku}.png", {{"field", "sku", "a"}, {"field", "sku", "b"}}, "b.png", ""},
        {"{sku}.png",
         {{"field", "sku", std::string(300, 'x')}},
         std::string(100, 'x') + ".png",
         ""},
        {"{sku}.png", {}, "", "the field sku that names the file is missing"},
        {"{sku}.png", {{"field", "sku", ""}}, "", "the field sku that names the file is empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        auto parsed = NamePattern::parse(c.pattern);
        ASSERT_TRUE(std::holds_alternative<NamePattern>(parsed));
        const auto name = std::get<NamePattern>(parsed).expand(7, c.fields);
        EXPECT_EQ(name.path, c.name);
        EXPECT_EQ(name.error, c.error);
    }
}

TEST(CliBatch, LinesAreDataOrTabSeparatedFields) {
    const ControlEntry& fake = fakeControls()[0];
    struct Case {
        std::string line;
        std::vector<std::pair<std::string, std::string>> fields;  // name, value
        std::string error;
    };
    const Case cases[] = {
        {"plain data = not a field", {{"Code", "plain data = not a field"}}, ""},
        {"Count=3\tCode=A=B", {{"Count", "3"}, {"Code", "A=B"}}, ""},
        {"Code=single\t", {{"Code", "single"}}, ""},
        {"\tFlag=1\t\tCount=2", {{"Flag", "1"}, {"Count", "2"}}, ""},
        {"Code=A\tnot a field", {}, "a field is NAME=VALUE, not \"not a field\""},
        {"=3\tCount=1", {}, "a field is NAME=VALUE, not \"=3\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto parsed = parseBatchLine(c.line, fake);
        if (!c.error.empty()) {
            ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
            EXPECT_EQ(std::get<std::string>(parsed), c.error);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<std::vector<Assignment>>(parsed));
        std::vector<std::pair<std::string, std::string>> got;
        for (const auto& a : std::get<std::vector<Assignment>>(parsed))
            got.emplace_back(a.name, a.value);
        EXPECT_EQ(got, c.fields);
    }
}

// Every file of a batch, on several threads, is byte for byte the file a single run writes.
TEST(CliBatch, OutputEqualsSingleRunsByteForByte) {
    struct Case {
        std::vector<std::string> base;  // control and common settings
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"barcode1d", "-t", "CODE128"}, {"Batch 1", "Batch 2", "X=2\tCode=wide", "batch-4"}},
        {{"barcode1d", "--scale", "2"}, {"SCALED", "barType=EAN13\tCode=590123412345"}},
        {{"datamatrix", "--quiet-zone", "1"},
         {"first", "second, longer symbol", "PixelsDot=3\tCode=third"}},
        {{"pdf417", "--set", "BarHeightPixels=4"}, {"one", "two two", "PDFColumns=3\tCode=three"}},
        {{"maxicode"}, {"MaxiCode batch 1", "mode=5\tdata=secure 2"}},
        {{"maxicode", "--sync"}, {"flushed once", "mode=5\tdata=flushed too"}},
    };
    for (const auto& c : cases) {
        for (const char* ext : {".png", ".svg"}) {
            SCOPED_TRACE(c.base[0] + ext);
            TempDir dir;
            std::string input;
            for (const auto& line : c.lines) input += line + "\n";
            const Outcome batch = runBatchOn(builtinControls(),
                                             join(c.base, {"--batch", "-", "-j", "3", "-o",
                                                           dir.file(std::string("b-%02d") + ext)}),
                                             input);
            ASSERT_EQ(batch.status, kExitOk) << batch.err;
            for (std::size_t i = 0; i < c.lines.size(); ++i) {
                std::vector<std::string> single = c.base;
                const auto parsed =
                    parseBatchLine(c.lines[i], *findControl(builtinControls(), c.base[0]));
                for (const auto& a : std::get<std::vector<Assignment>>(parsed))
                    single.insert(single.end(), {"--set", a.name + "=" + a.value});
                const std::string file = dir.file("s" + std::to_string(i) + ext);
                single.insert(single.end(), {"-o", file});
                ASSERT_EQ(runOn(builtinControls(), single).status, kExitOk);
                const std::string name = (i < 9 ? "b-0" : "b-") + std::to_string(i + 1) + ext;
                const std::string got = readBytes(dir.file(name));
                EXPECT_FALSE(got.empty()) << name;
                EXPECT_EQ(got, readBytes(file)) << name;
            }
        }
    }
}

TEST(CliBatch, AFailedLineIsReportedByNumberAndTheBatchGoesOn) {
    TempDir dir;
    const std::string input =
        "AB\n"               // 1
        "AB?\n"              // 2: the symbol cannot stand for the data
        "\n"                 // 3: blank, no symbol
        "Count=x\tCode=C\n"  // 4: bad value
        "Nope=1\t\n"         // 5: no such property
        "AB!\r\n"            // 6: a warning passes, CRLF ends a line too
        + std::string(kMaxBatchLine + 1, 'x') +
        "\n"   // 7: too long
        "CD";  // 8: the last line needs no line end
    const Outcome r = runBatchOn(
        fakeControls(), {"fake", "--batch", "-", "-j", "2", "-o", dir.file("f-%d.png")}, input);
    EXPECT_EQ(r.status, kExitOutputFailed);
    for (const char* message :
         {"quorvantix: line 2: error: cannot represent", "quorvantix: line 2: no file written",
          "quorvantix: line 4: field: \"x\" does not fit Count",
          "quorvantix: line 5: field: unknown property \"Nope\"",
          "quorvantix: line 6: warning: left out",
          "quorvantix: line 7: longer than 1048576 characters",
          "quorvantix: 4 of 7 lines failed, the first at line 2"})
        EXPECT_NE(r.err.find(message), std::string::npos) << message << "\n" << r.err;
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"f-1.png", "f-6.png", "f-8.png"}));

    // With --strict, the warning fails its line alone.
    TempDir strict;
    const Outcome s = runBatchOn(
        fakeControls(), {"fake", "--strict", "--batch", "-", "-o", strict.file("s-%d.png")},
        "AB\nAB!\n");
    EXPECT_EQ(s.status, kExitOutputFailed);
    EXPECT_EQ(strict.files(), std::vector<std::string>{"s-1.png"});
}

TEST(CliBatch, NamesFromAFieldNeverOverwriteEachOther) {
    TempDir dir;
    // "name" is no property of the control: it only names the file.
    const Outcome r =
        runBatchOn(fakeControls(), {"fake", "--batch", "-", "-o", dir.file("{name}.svg")},
                   "name=a\tCount=1\nname=b\tCount=2\nname=a\tCount=3\nCount=4\t\n");
    EXPECT_EQ(r.status, kExitOutputFailed);
    EXPECT_NE(r.err.find("line 3: " + dir.file("a.svg") + " is already the name of line 1"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("line 4: the field name that names the file is missing"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"a.svg", "b.svg"}));
    EXPECT_NE(readText(dir.file("a.svg")).find("width=\"22\""), std::string::npos);
}

TEST(CliBatch, ReadsAFileAndShowsProgressOnlyOnATerminal) {
    TempDir dir;
    const std::string list = dir.file("list.txt");
    {
        std::ofstream f(list);
        for (int i = 0; i < 120; ++i) f << "L" << i << '\n';
    }
    const auto args = std::vector<std::string>{"bare", "--batch", list, "-o", dir.file("p%d.png")};
    const Outcome quiet = runBatchOn(fakeControls(), args, "");
    EXPECT_EQ(quiet.status, kExitOk) << quiet.err;
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(dir.files().size(), 121u);
    const Outcome shown = runBatchOn(fakeControls(), args, "", true);
    EXPECT_EQ(shown.status, kExitOk);
    EXPECT_NE(shown.err.find("] 120/120 lines\n"), std::string::npos) << shown.err;
}

// The library's one call writes what the command writes.
TEST(RenderApi, FileEqualsTheCommandsFile) {
    for (const auto& entry : builtinControls()) {
        for (const char* ext : {".png", ".svg"}) {
            SCOPED_TRACE(std::string(entry.name) + ext);
            TempDir dir;
            const std::string viaCommand = dir.file(std::string("cli") + ext);
            ASSERT_EQ(runOn(builtinControls(), {std::string(entry.name), "-o", viaCommand}).status,
                      kExitOk);
            const auto control = entry.create();
            if (entry.beforePaint) entry.beforePaint(*control, {});
            const std::string viaApi = dir.file(std::string("api") + ext);
            const RenderedImage written = renderToFile(*control, viaApi);
            ASSERT_TRUE(written.ok()) << written.error;
            EXPECT_EQ(readBytes(viaApi), readBytes(viaCommand));
            EXPECT_EQ(std::string(written.bytes.begin(), written.bytes.end()), readBytes(viaApi));
        }
    }
}

TEST(RenderApi, RefusesWhatItCannotMake) {
    FakeControl control;
    TempDir dir;
    struct Case {
        std::string file;
        std::string code;
        RenderOptions options;
        std::string error;
    };
    const Case cases[] = {
        {"a.gif", "AB", {}, "the file name must end in .png, .svg, .pdf or .eps"},
        {"a.png", "AB?", {}, "not written: cannot represent"},
        {"a.png", "AB", {.width = 0, .height = 5}, "has no area"},
        {"a.svg", "AB", {.width = 20001, .height = 5}, "larger than the limit"},
        {"missing/a.png", "AB", {}, "cannot write"},
        {"missing/a.png", "AB", {.sync = true}, "cannot write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        control.Code = c.code;
        const RenderedImage r = renderToFile(control, dir.file(c.file), c.options);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
        EXPECT_TRUE(dir.files().empty());
    }
    control.Code = "AB";
    const RenderedImage fitted = renderImage(control, ImageFormat::Png);
    ASSERT_TRUE(fitted.ok());
    EXPECT_EQ(fitted.size.width, 30);  // three bars from 10, the left margin again on the right
    EXPECT_EQ(fitted.size.height, 30);
    const RenderedImage sized = renderImage(control, ImageFormat::Svg, {.width = 7, .height = 9});
    EXPECT_EQ(sized.size.width, 7);
    EXPECT_NE(std::string(sized.bytes.begin(), sized.bytes.end()).find("width=\"7\""),
              std::string::npos);
}

}  // namespace
}  // namespace qv::cli::test
