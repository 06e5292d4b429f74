// GS1 mode on the command line: a refused message writes nothing and exits with status 4.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli.h"
#include "cli_run.h"
#include "image_file.h"
#include "run.h"

namespace qv::cli::test {
namespace {

TEST(CliGs1, RefusedMessagesWriteNothing) {
    TempDir dir;
    const std::string file = dir.file("gs1.png");
    const auto bad = runOn(builtinControls(), {"barcode1d", "-t", "EAN128", "-d",
                                               "(01)09501101530004(10)ABC", "--gs1", "-o", file});
    EXPECT_EQ(bad.status, kExitNotRepresentable);
    EXPECT_TRUE(hasLine(bad.err,
                        "quorvantix: error: AI (01) at position 18: check digit is 4, should be 3"))
        << bad.err;
    EXPECT_FALSE(std::filesystem::exists(file));

    const auto good = runOn(builtinControls(),
                            {"datamatrix", "-d", "(01)09501101530003(10)ABC", "--gs1", "-o", file});
    EXPECT_EQ(good.status, kExitOk) << good.err;
    EXPECT_TRUE(hasLine(good.err, "quorvantix: not checked: AI (01) at position 5: gcppos2"))
        << good.err;
    EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace qv::cli::test
