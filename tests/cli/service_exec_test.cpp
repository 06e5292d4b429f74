// `quorvantix serve` hands over to the service program beside it; when that cannot start, the
// command says why instead of failing silently.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "service_exec.h"

namespace qv::cli::test {
namespace {

namespace fs = std::filesystem;

TEST(CliServiceExec, AServiceThatCannotStartIsReportedWithItsReason) {
    const fs::path folder =
        fs::temp_directory_path() / ("qv-service-exec-" + std::to_string(::getpid()));
    // A folder by the program's name, and a file that may not be run.
    fs::create_directories(folder / "folder" / kServiceProgram);
    const fs::path notExecutable = folder / "plain";
    fs::create_directories(notExecutable);
    std::ofstream(notExecutable / kServiceProgram) << "#!/bin/sh\nexit 0\n";
    fs::permissions(notExecutable / kServiceProgram,
                    fs::perms::owner_read | fs::perms::owner_write);
    struct Case {
        std::string folder;
        std::string message;
    };
    const Case cases[] = {
        {"", "cannot find the folder of this program"},
        {(folder / "missing").string(),
         "No such file or directory (the service is installed beside"},
        {(folder / "folder").string(), "Permission denied"},
        {notExecutable.string(), "Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        std::ostringstream err;
        EXPECT_EQ(execService(c.folder, {"--listen", "127.0.0.1:0"}, err), 1);
        EXPECT_NE(err.str().find("quorvantix serve: "), std::string::npos) << err.str();
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        if (!c.folder.empty()) {
            EXPECT_NE(err.str().find(c.folder + "/quorvantix-serve"), std::string::npos)
                << err.str();
        }
    }
    fs::remove_all(folder);
}

TEST(CliServiceExec, TheProgramFolderHoldsThisProgram) {
    const std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(fs::path(folder) / "test_cli"));
}

}  // namespace
}  // namespace qv::cli::test
