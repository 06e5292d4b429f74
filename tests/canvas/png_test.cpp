#include <png.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "quorvantix/png.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(Png, RoundTripKeepsEveryPixel) {
    Bitmap bm(7, 5);
    std::uint32_t v = 0x123456;
    for (auto& p : bm.pixels()) {
        p = v & 0xFFFFFF;
        v = v * 1103515245u + 12345u;
    }
    bm.pixels()[0] = 0x0000FF;  // red
    const std::vector<std::uint8_t> png = encodePng(bm);
    ASSERT_FALSE(png.empty());

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_memory(&image, png.data(), png.size()), 0);
    EXPECT_EQ(image.width, 7u);
    EXPECT_EQ(image.height, 5u);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[1], 0);
    EXPECT_EQ(rgb[2], 0);
    for (std::size_t i = 0; i < bm.pixels().size(); ++i) {
        const TColor back = rgb[3 * i] | (rgb[3 * i + 1] << 8) | (rgb[3 * i + 2] << 16);
        ASSERT_EQ(back, bm.pixels()[i]) << i;
    }
    EXPECT_TRUE(encodePng(Bitmap(0, 3)).empty());
}

class AtomicWrite : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/qv-atomic-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    static std::string contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir;
};

TEST_F(AtomicWrite, WritesAndReplaces) {
    const std::string path = (dir / "out.png").string();
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, "first", 5, &error)) << error;
    ASSERT_TRUE(writeFileAtomically(path, "second!", 7, &error)) << error;
    EXPECT_EQ(contents(path), "second!");
    EXPECT_EQ(entries(), 1u);  // no temporary left behind
    ASSERT_TRUE(writeFileAtomically(path, nullptr, 0, &error)) << error;
    EXPECT_EQ(contents(path), "");
}

TEST_F(AtomicWrite, FailuresSayWhereAndWhyAndLeaveNothing) {
    struct Case {
        std::string path;
        std::string reason;
    };
    fs::create_directory(dir / "taken");
    std::ofstream(dir / "plain") << "x";
    const Case cases[] = {
        {(dir / "plain" / "out.png").string(), std::strerror(ENOTDIR)},
        {(dir / "missing" / "out.png").string(), std::strerror(ENOENT)},
        {(dir / "taken").string(), std::strerror(EISDIR)},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(writeFileAtomically(c.path, "data", 4, &error));
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    EXPECT_EQ(entries(), 2u);  // only "taken", still a directory, and "plain"
    EXPECT_TRUE(fs::is_directory(dir / "taken"));
    EXPECT_FALSE(writeFileAtomically("", "x", 1, nullptr));
}

TEST_F(AtomicWrite, UnwritableDirectory) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    const std::string path = (dir / "out.png").string();
    auto refused = [&] {
        std::string error;
        return !writeFileAtomically(path, "data", 4, &error) &&
               error.find(path) != std::string::npos &&
               error.find(std::strerror(EACCES)) != std::string::npos;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(refused());
    } else {
        // Permissions do not bind the superuser: try as an unprivileged user in a child.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && refused();
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(entries(), 0u);
}

}  // namespace
}  // namespace qv
