// A minimal checking harness for the Windows test programs: failures are printed and counted,
// and the program's exit status is their number.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>

namespace qv::activex::test {

inline int& failureCount() {
    static int count = 0;
    return count;
}

inline void fail(const char* file, int line, const std::string& what) {
    ++failureCount();
    std::fprintf(stderr, "%s:%d: FAILED %s\n", file, line, what.c_str());
}

}  // namespace qv::activex::test

#define QV_CHECK(cond, context)                                          \
    do {                                                                 \
        if (!(cond)) {                                                   \
            std::ostringstream qv_msg;                                   \
            qv_msg << #cond << " [" << context << "]";                   \
            ::qv::activex::test::fail(__FILE__, __LINE__, qv_msg.str()); \
        }                                                                \
    } while (0)

#define QV_CHECK_EQ(actual, expected, context)                                               \
    do {                                                                                     \
        const auto& qv_a = (actual);                                                         \
        const auto& qv_e = (expected);                                                       \
        if (!(qv_a == qv_e)) {                                                               \
            std::ostringstream qv_msg;                                                       \
            qv_msg << #actual << " == " << #expected << " [" << context << "]: got " << qv_a \
                   << ", want " << qv_e;                                                     \
            ::qv::activex::test::fail(__FILE__, __LINE__, qv_msg.str());                     \
        }                                                                                    \
    } while (0)
