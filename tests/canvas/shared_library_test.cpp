// Libraries opened on first use: a missing library or function is a message, never a crash, and
// what is found can be called.
#include "canvas/shared_library.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::canvas {
namespace {

TEST(SharedLibrary, MissingLibrariesAndFunctionsAreNamed) {
    using Cosine = double (*)(double);
    struct Case {
        const char* file;
        const char* function;
        std::string error;  // empty: found
    };
    const Case cases[] = {
        {"libm.so.6", "cos", ""},
        {"libm.so.6", "qv_no_such_function", "libm.so.6 has no qv_no_such_function"},
        {"libqv-no-such-library.so.1", "cos", "libqv-no-such-library.so.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.function);
        SharedLibrary library(c.file);
        Cosine cosine = nullptr;
        library.resolve(cosine, c.function);
        if (c.error.empty()) {
            ASSERT_TRUE(library.ok()) << library.error();
            ASSERT_NE(cosine, nullptr);
            EXPECT_EQ(cosine(0.0), 1.0);
        } else {
            EXPECT_FALSE(library.ok());
            EXPECT_EQ(cosine, nullptr);
            EXPECT_NE(library.error().find(c.error), std::string::npos) << library.error();
        }
    }
}

TEST(SharedLibrary, TheFirstMissingFunctionIsTheOneReported) {
    SharedLibrary library("libm.so.6");
    double (*first)(double) = nullptr;
    double (*second)(double) = nullptr;
    double (*found)(double) = nullptr;
    library.resolve(first, "qv_first_missing");
    library.resolve(second, "qv_second_missing");
    library.resolve(found, "sin");
    EXPECT_EQ(library.error(), "libm.so.6 has no qv_first_missing");
    EXPECT_NE(found, nullptr);
}

struct MathTable {
    double (*cosine)(double) = nullptr;
};
struct MissingTable {
    double (*cosine)(double) = nullptr;
};

TEST(SharedLibrary, ATableIsFilledOnceAndAFailedOneStaysFailed) {
    const auto fillMath = [](SharedLibrary& library, MathTable& table) {
        library.resolve(table.cosine, "cos");
    };
    const auto fillMissing = [](SharedLibrary& library, MissingTable& table) {
        library.resolve(table.cosine, "cos");
    };
    std::string error;
    const MathTable* math = functionTable<MathTable>("libm.so.6", fillMath, &error);
    ASSERT_NE(math, nullptr) << error;
    EXPECT_EQ(math->cosine(0.0), 1.0);
    EXPECT_EQ(functionTable<MathTable>("libm.so.6", fillMath), math);
    for (int call = 0; call < 2; ++call) {
        error.clear();
        EXPECT_EQ(functionTable<MissingTable>("libqv-missing.so.1", fillMissing, &error), nullptr);
        EXPECT_NE(error.find("libqv-missing.so.1"), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace qv::canvas
