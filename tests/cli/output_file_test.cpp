// Replacing a file that is already there: its permissions stay, a read-only one stays untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
    TempDir dir;
    { std::ofstream(dir.file("b-2.png")) << "old"; }
    ASSERT_EQ(::chmod(dir.file("b-2.png").c_str(), 0444), 0);
    std::istringstream in("A\nB\nC\n");
    std::ostringstream out, err;
    const int status = runWith(fakeControls(), {"fake", "--batch", "-", "-o", dir.file("b-%d.png")},
                               out, err, {.input = &in});
    EXPECT_EQ(status, kExitOutputFailed);
    EXPECT_NE(err.str().find("line 2: "), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("1 of 3 lines failed"), std::string::npos) << err.str();
    EXPECT_EQ(readBytes(dir.file("b-2.png")), "old");
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"b-1.png", "b-2.png", "b-3.png"}));
}

}  // namespace
}  // namespace qv::cli::test
