#include "quorvantix/folder_sync.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "quorvantix/png.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class FolderSyncTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/qv-sync-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(FolderSyncTest, FlushesWhatWasWrittenAndSaysWhenItCannot) {
    fs::create_directory(dir / "b");
    struct Case {
        const char* name;
        std::vector<fs::path> files;    // written with the sync
        std::vector<fs::path> removed;  // folders gone before the flush
        bool flushed;
    };
    const Case cases[] = {
        {"nothing written", {}, {}, true},
        {"one folder", {dir / "1.png", dir / "2.png"}, {}, true},
        {"two folders", {dir / "3.png", dir / "b" / "4.png", dir / "5.png"}, {}, true},
        {"folder gone", {dir / "c" / "6.png"}, {dir / "c"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FolderSync sync;
        for (const auto& f : c.files) {
            fs::create_directories(f.parent_path());
            std::string error;
            ASSERT_TRUE(writeFileAtomically(f.string(), "data", 4, &error, &sync)) << error;
            EXPECT_TRUE(fs::exists(f));
        }
        for (const auto& r : c.removed) fs::remove_all(r);
        std::string error;
        EXPECT_EQ(sync.flush(&error), c.flushed);
        if (!c.flushed) {
            EXPECT_NE(error.find(c.removed.front().string()), std::string::npos) << error;
            EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
        }
        // A flush forgets its folders: the next one has nothing left to fail on.
        EXPECT_TRUE(sync.flush(&error));
    }
}

TEST_F(FolderSyncTest, FailedWriteNotesNoFolderAndLeavesNothing) {
    FolderSync sync;
    std::string error;
    EXPECT_FALSE(writeFileAtomically((dir / "missing" / "a.png").string(), "x", 1, &error, &sync));
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_TRUE(sync.flush(&error)) << error;  // the missing folder was never noted
}

}  // namespace
}  // namespace qv
