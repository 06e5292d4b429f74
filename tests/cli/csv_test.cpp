// Batches from CSV, and how a batch reports what failed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "batch.h"
#include "cli_run.h"
#include "csv_reader.h"
#include "fake_control.h"
#include "image_file.h"
#include "run.h"

namespace qv::cli::test {
namespace {

Outcome runBatchOn(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runWith(fakeControls(), args, out, err, {.input = &in});
    return {status, out.str(), err.str()};
}

std::string readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(CsvReader, RecordsAsWrittenOrTheFault) {
    using Fields = std::vector<std::string>;
    struct Case {
        std::string input;
        std::vector<Fields> records;  // an empty Fields: the record is blank
        std::vector<std::string> errors;
    };
    const Case cases[] = {
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {"", ""}},
        {"a,b\r\n\r\nc\r\n", {{"a", "b"}, {}, {"c"}}, {"", "", ""}},
        {",,\n", {{"", "", ""}}, {""}},
        {"\"x,y\",\"say \"\"hi\"\"\"\n", {{"x,y", "say \"hi\""}}, {""}},
        {"\"two\r\nlines\",z\n", {{"two\r\nlines", "z"}}, {""}},
        {"\"\"\n", {{""}}, {""}},  // an empty quoted field is no blank line
        {"a\rb\n", {{"a\rb"}}, {""}},
        {"\xEF\xBB\xBF\"a\",b\n", {{"a", "b"}}, {""}},  // a byte order mark is dropped
        {"\xEF\xBBx\n", {{"\xEF\xBBx"}}, {""}},         // a partial one is data
        {"a\"b,c\nd\n", {{}, {"d"}}, {"a quote inside a field", ""}},
        {"\"a\"b,c\nd\n", {{}, {"d"}}, {"a closing quote is followed by", ""}},
        {"a\n\"open,\nnever closed\n", {{"a"}, {}}, {"", "a quoted field is not closed"}},
        {"a\n" + std::string(40, 'x') + "\nb", {{"a"}, {}, {"b"}}, {"", "longer than 32", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        std::istringstream in(c.input);
        CsvReader reader(*in.rdbuf(), 32);
        CsvRecord record;
        std::size_t n = 0;
        for (; reader.next(record); ++n) {
            ASSERT_LT(n, c.records.size());
            if (c.errors[n].empty()) {
                EXPECT_EQ(record.error, "");
                EXPECT_EQ(record.blank, c.records[n].empty());
                if (!c.records[n].empty()) {
                    EXPECT_EQ(record.fields, c.records[n]);
                }
            } else {
                EXPECT_NE(record.error.find(c.errors[n]), std::string::npos) << record.error;
            }
        }
        EXPECT_EQ(n, c.records.size());
    }
}

// A CSV row makes the bytes and messages of the tab line with the same fields, numbered alike.
TEST(CliCsv, RowsMakeWhatTabLinesMake) {
    const std::string csv =
        "Code,Count\r\n"
        "AB,2\r\n"
        "\"A,B\",4\n"
        "\"say \"\"hi\"\"\",1\n"
        "AB?,1\n"
        "\n"
        "AB!,1\n"
        ",5\n";  // an empty cell sets nothing
    const std::string tab =
        "Code=AB\tCount=2\n"
        "Code=A,B\tCount=4\n"
        "Code=say \"hi\"\tCount=1\n"
        "Code=AB?\tCount=1\n"
        "\n"
        "Code=AB!\tCount=1\n"
        "Count=5\t\n";
    TempDir a, b;
    const Outcome fromCsv =
        runBatchOn({"fake", "--csv", "-", "-j", "1", "-o", a.file("r-%d.png")}, csv);
    const Outcome fromTab =
        runBatchOn({"fake", "--batch", "-", "-j", "1", "-o", b.file("r-%d.png")}, tab);
    EXPECT_EQ(fromCsv.status, kExitOutputFailed);
    EXPECT_EQ(fromCsv.status, fromTab.status);
    EXPECT_EQ(fromCsv.err, fromTab.err);
    EXPECT_NE(fromCsv.err.find("line 4: error: cannot represent"), std::string::npos)
        << fromCsv.err;
    const auto files = a.files();
    EXPECT_EQ(files,
              (std::vector<std::string>{"r-1.png", "r-2.png", "r-3.png", "r-6.png", "r-7.png"}));
    EXPECT_EQ(files, b.files());
    for (const auto& f : files) EXPECT_EQ(readBytes(a.file(f)), readBytes(b.file(f))) << f;

    // A line break inside quotes stays in the value, as -d gives it.
    TempDir c;
    ASSERT_EQ(
        runBatchOn({"fake", "--csv", "-", "-o", c.file("{Count}.svg")}, "count,CODE\n7,\"A\nB\"\n")
            .status,
        kExitOk);
    ASSERT_EQ(runOn(fakeControls(),
                    {"fake", "-d", "A\nB", "--set", "Count=7", "-o", c.file("single.svg")})
                  .status,
              kExitOk);
    EXPECT_EQ(readBytes(c.file("7.svg")), readBytes(c.file("single.svg")));
}

TEST(CliCsv, MalformedInputIsNamed) {
    struct Case {
        std::string input;
        int status;
        std::vector<std::string> messages;
        std::size_t files;
    };
    const Case cases[] = {
        {"", kExitUsage, {"--csv: the first row names the fields, and it is empty"}, 0},
        {"Code,,Count\nA,1,2\n", kExitUsage, {"the header names a field \"\""}, 0},
        {"Code,code\nA,B\n", kExitUsage, {"the header names code twice"}, 0},
        {"\"Code\nA\n", kExitUsage, {"the header row: a quoted field is not closed"}, 0},
        {"Code,Count\nAB,2\nAB,2,9\nCD,1\n",
         kExitOutputFailed,
         {"line 2: 3 fields, but the header names 2", "1 of 3 lines failed, the first at line 2"},
         2},
        {"Code\nAB\nA\"B\nCD\n\"EF\n",
         kExitOutputFailed,
         {"line 2: a quote inside a field that does not start with one",
          "line 4: a quoted field is not closed before the end"},
         2},
        {"Code,Nope\nAB,1\n", kExitOutputFailed, {"line 1: field: unknown property \"Nope\""}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        TempDir dir;
        const Outcome r = runBatchOn({"fake", "--csv", "-", "-o", dir.file("m-%d.png")}, c.input);
        EXPECT_EQ(r.status, c.status) << r.err;
        for (const auto& m : c.messages) EXPECT_NE(r.err.find(m), std::string::npos) << r.err;
        EXPECT_EQ(dir.files().size(), c.files);
    }
    EXPECT_NE(runOn(fakeControls(), {"fake", "--csv", "-", "--batch", "-", "-o", "a%d.png"})
                  .err.find("give one of --batch and --csv"),
              std::string::npos);
}

TEST(CliBatch, FailuresAreSummarisedAndABatchThatOnlyFailsStops) {
    struct Case {
        std::string name;
        std::vector<std::string> lines;
        std::vector<std::string> shown;
        std::vector<std::string> notShown;
        std::string summary;
    };
    std::vector<std::string> allFail(150, "AB?");
    std::vector<std::string> mixed;  // two ways of failing
    for (int i = 0; i < 150; ++i) mixed.push_back(i % 2 ? "AB?" : "Nope=1\t");
    std::vector<std::string> oneGood = allFail;
    oneGood[99] = "AB";
    std::vector<std::string> fifteen(15, "AB?");
    fifteen.insert(fifteen.begin() + 3, "AB");
    const Case cases[] = {
        {"fifteen failures",
         fifteen,
         {"line 1: error", "line 11: error"},
         {"line 12: error", "line 16: error"},
         "5 more failed lines not shown\nquorvantix: 15 of 16 lines failed, the first at line 1"},
        {"all fail alike", allFail, {"line 1: error"}, {}, "lines all failed the same way"},
        {"failing two ways", mixed, {}, {"the batch stopped"}, "150 of 150 lines failed"},
        {"one line succeeds", oneGood, {}, {"the batch stopped"}, "149 of 150 lines failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string input;
        for (const auto& l : c.lines) input += l + "\n";
        TempDir dir;
        const Outcome r =
            runBatchOn({"fake", "--batch", "-", "-j", "2", "-o", dir.file("s-%d.svg")}, input);
        EXPECT_EQ(r.status, kExitOutputFailed);
        EXPECT_NE(r.err.find(c.summary), std::string::npos) << r.err;
        for (const auto& m : c.shown) EXPECT_NE(r.err.find(m), std::string::npos) << m;
        for (const auto& m : c.notShown) EXPECT_EQ(r.err.find(m), std::string::npos) << m;
        // Ten lines' messages at most, in order.
        EXPECT_LE(count(r.err, "no file written"), 10u);
        const auto first = r.err.find("line 1:"), second = r.err.find("line 2:");
        if (first != std::string::npos && second != std::string::npos) {
            EXPECT_LT(first, second);
        }
    }
    // Stopped: lines past the first hundred are not all made.
    TempDir dir;
    std::string input;
    for (int i = 0; i < 1000; ++i) input += "AB?\n";
    const Outcome r =
        runBatchOn({"fake", "--batch", "-", "-j", "2", "-o", dir.file("s-%d.svg")}, input);
    EXPECT_EQ(r.err.find("of 1000 lines failed"), std::string::npos) << r.err;
}

TEST(CliBatch, SpacesWhereTabsWereMeantAreNamed) {
    const auto& fake = fakeControls()[0];
    const auto control = fake.create();
    struct Case {
        std::string line;
        bool refused;
    };
    const Case cases[] = {
        {"Code=1 Count=2", true},
        {"code=AB  count=2 ", true},
        {"Code=hello world", false},  // data that happens to hold '='
        {"A=B C=D", false},           // not the control's properties
        {"Code=1", false},
        {"Code=1 Count=2\tFlag=1", false},  // tabs: the spaces belong to a value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto parsed = parseBatchLine(c.line, fake, control->properties());
        const auto* problem = std::get_if<std::string>(&parsed);
        EXPECT_EQ(problem != nullptr, c.refused);
        if (problem) {
            EXPECT_NE(problem->find("separated by tabs, not spaces"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace qv::cli::test
