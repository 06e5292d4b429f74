// Replacing a file that is already there: its permissions stay, a read-only one stays untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_run.h"
#include "fake_control.h"
#include "image_file.h"
#include "run.h"

namespace qv::cli::test {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(CliOutputFile, AReplacedFileKeepsItsPermissionsAndAReadOnlyOneIsRefused) {
    struct Case {
        mode_t mode;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {0600, kExitOk, ""},
        {0640, kExitOk, ""},
        {0755, kExitOk, ""},
        {0444, kExitOutputFailed, "the file is read-only"},
        {0400, kExitOutputFailed, "the file is read-only"},
    };
    for (const auto& c : cases) {
        for (const char* ext : {".png", ".svg"}) {
            SCOPED_TRACE(std::to_string(c.mode) + ext);
            TempDir dir;
            const std::string file = dir.file(std::string("out") + ext);
            { std::ofstream(file) << "old"; }
            ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
            const Outcome r = runOn(fakeControls(), {"fake", "-o", file});
            EXPECT_EQ(r.status, c.status) << r.err;
            EXPECT_EQ(modeOf(file), c.mode);
            if (c.status == kExitOk) {
                EXPECT_NE(readBytes(file), "old");
            } else {
                EXPECT_EQ(readBytes(file), "old");
                EXPECT_NE(r.err.find(file + ": " + c.message), std::string::npos) << r.err;
            }
            // Nothing is left beside it.
            EXPECT_EQ(dir.files(), std::vector<std::string>{std::string("out") + ext});
        }
    }
}

TEST(CliOutputFile, AReadOnlyFileFailsItsBatchLineAlone) {
    // Files are put in place on a writer thread while later lines are drawn: a failed write
    // still fails its own line, keeps that line's warnings with it, and leaves the old file.
    // 200 lines keep more files in flight than the writer holds at once.
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("-j ") + jobs);
        TempDir dir;
        std::string input;
        std::vector<std::string> expected;
        std::vector<int> refused;
        for (int line = 1; line <= 200; ++line) {
            input += line == 14 ? "AB!\n" : "A\n";  // line 14 warns as well
            const std::string name = "b-" + std::to_string(line) + ".png";
            expected.push_back(name);
            if (line % 7 == 0) {
                { std::ofstream(dir.file(name)) << "old"; }
                ASSERT_EQ(::chmod(dir.file(name).c_str(), 0444), 0);
                refused.push_back(line);
            }
        }
        std::sort(expected.begin(), expected.end());
        std::istringstream in(input);
        std::ostringstream out, err;
        const int status = runWith(fakeControls(),
                                   {"fake", "--batch", "-", "-j", jobs, "-o", dir.file("b-%d.png")},
                                   out, err, {.input = &in});
        EXPECT_EQ(status, kExitOutputFailed);
        const std::string e = err.str();
        EXPECT_NE(
            e.find(std::to_string(refused.size()) + " of 200 lines failed, the first at line 7"),
            std::string::npos)
            << e;
        // The first failures are listed in line order, each with its own file's name.
        std::size_t at = 0;
        for (std::size_t k = 0; k < 10; ++k) {
            const std::string line = std::to_string(refused[k]);
            const std::string message =
                "line " + line + ": cannot write " + dir.file("b-" + line + ".png");
            const std::size_t found = e.find(message, at);
            ASSERT_NE(found, std::string::npos) << message << "\n" << e;
            at = found;
        }
        EXPECT_NE(e.find("line 14: warning: "), std::string::npos) << e;
        for (const int line : refused)
            EXPECT_EQ(readBytes(dir.file("b-" + std::to_string(line) + ".png")), "old");
        EXPECT_EQ(dir.files(), expected);
    }
}

}  // namespace
}  // namespace qv::cli::test
