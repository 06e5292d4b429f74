// Output that cannot be written fails loudly and leaves nothing behind: no file, no temporary.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "cli.h"
#include "quorvantix/png.h"

namespace qv::test {
namespace {

namespace fs = std::filesystem;

class OutputFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qv-output-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        return names;
    }

    fs::path dir_;
};

// Simulates a full disk: writes past a few bytes fail (EFBIG) for as long as it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

struct CommandResult {
    int status;
    std::string err;
};

CommandResult runCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::run(args, out, err);
    return {status, err.str()};
}

TEST_F(OutputFaults, WriteFileReportsEachFaultAndLeavesNothing) {
    const std::string data(4096, 'x');
    struct Case {
        std::string name;
        std::string path;
        rlim_t sizeLimit;  // 0: none
        std::string expected;
    };
    fs::create_directory(dir_ / "taken");
    const Case cases[] = {
        {"missing folder", (dir_ / "missing" / "a.png").string(), 0, "No such file"},
        {"path is a folder", (dir_ / "taken").string(), 0, "Is a directory"},
        {"disk full mid-write", (dir_ / "full.png").string(), 100, "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        std::optional<FileSizeLimit> limit;
        if (c.sizeLimit > 0) limit.emplace(c.sizeLimit);
        const bool written = writeFileAtomically(c.path, data.data(), data.size(), &error);
        limit.reset();
        EXPECT_FALSE(written);
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(entries(), std::vector<std::string>{"taken"});
    }
}

TEST_F(OutputFaults, FailedWriteKeepsThePreviousFile) {
    const fs::path path = dir_ / "kept.png";
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path.string(), "old", 3, &error));
    const std::string data(4096, 'n');
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(writeFileAtomically(path.string(), data.data(), data.size(), &error));
    }
    EXPECT_EQ(fs::file_size(path), 3u);
    EXPECT_EQ(entries(), std::vector<std::string>{"kept.png"});
}

TEST_F(OutputFaults, CommandLineSaysWhyAndExitsNonZero) {
    struct Case {
        std::string name;
        std::vector<std::string> args;
        rlim_t sizeLimit;
        std::string expected;
    };
    const std::string missing = (dir_ / "missing" / "a.png").string();
    const std::string full = (dir_ / "full.png").string();
    const std::string fullSvg = (dir_ / "full.svg").string();
    const std::string segments = (dir_ / "seg.png").string();
    const Case cases[] = {
        {"missing folder", {"pdf417", "-d", "hello", "-o", missing}, 0, "No such file"},
        {"missing folder, --sync",
         {"pdf417", "--sync", "-d", "hello", "-o", missing},
         0,
         "No such file"},
        {"disk full, --sync",
         {"datamatrix", "--sync", "-d", "hello", "-o", full},
         64,
         "File too large"},
        {"disk full, png", {"datamatrix", "-d", "hello", "-o", full}, 64, "File too large"},
        {"disk full, svg", {"maxicode", "-d", "hello", "-o", fullSvg}, 64, "File too large"},
        {"disk full, segments",
         {"pdf417", "--macro", "--set", "PDFMaxRows=3", "-d", std::string(600, 'm'), "-o",
          segments},
         64,
         "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<FileSizeLimit> limit;
        if (c.sizeLimit > 0) limit.emplace(c.sizeLimit);
        const CommandResult r = runCommand(c.args);
        limit.reset();
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_TRUE(entries().empty()) << r.err;
    }
}

}  // namespace
}  // namespace qv::test
