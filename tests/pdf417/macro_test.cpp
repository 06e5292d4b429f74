#include <gtest/gtest.h>

#include "pdf417/macro.h"

namespace qv::pdf417 {
namespace {

struct BlockCase {
    const char* what;
    MacroFields fields;
    Codewords block;
    bool terminated;
};

MacroFields allFields(std::int32_t segment, std::int32_t count) {
    MacroFields f;
    f.segment = segment;
    f.segmentCount = count;
    f.fileId = "AB";
    f.fileName = "F";
    f.timeStamp = "7";
    f.sender = "S";
    f.addressee = "T";
    f.fileSize = 12;
    return f;
}

TEST(MacroBlock, Fields) {
    MacroFields ab;
    ab.fileId = "AB";
    MacroFields counted = ab;
    counted.segmentCount = 1;
    const BlockCase cases[] = {
        {"segment 0 of 1", counted, {928, 111, 100, 65, 66, 923, 1, 111, 101, 922}, true},
        {"no count", ab, {928, 111, 100, 65, 66}, false},
        {"first of 3 carries every field",
         allFields(0, 3),
         {928, 111, 100, 65,  66, 923,          0,   5 * 30 + 29, 923,          1,   111, 103,
          923, 2,   17,  923, 3,  18 * 30 + 29, 923, 4,           19 * 30 + 29, 923, 5,   112},
         false},
        {"1 of 3",
         allFields(1, 3),
         {928, 111, 101, 65, 66, 923, 0, 5 * 30 + 29, 923, 1, 111, 103},
         false},
        {"2 of 3",
         allFields(2, 3),
         {928, 111, 102, 65, 66, 923, 0, 5 * 30 + 29, 923, 1, 111, 103, 922},
         true},
    };
    for (const auto& c : cases) {
        const auto block = macroControlBlock(c.fields);
        EXPECT_TRUE(block.error.empty()) << c.what;
        EXPECT_EQ(block.codewords, c.block) << c.what;
        EXPECT_EQ(block.terminated, c.terminated) << c.what;
    }
}

TEST(MacroBlock, Rejected) {
    MacroFields big;
    big.segment = 123456;  // beyond what a segment table holds; a reader wants two codewords
    big.lastSegment = 4998;
    MacroFields negative;
    negative.segment = -2;
    MacroFields stamp = allFields(0, 1);
    stamp.timeStamp = "2026-12-07";
    for (const auto& f : {big, negative, stamp}) {
        const auto block = macroControlBlock(f);
        EXPECT_FALSE(block.error.empty());
        EXPECT_TRUE(block.codewords.empty());
    }
    // The time stamp belongs to segment 0 only, so later segments do not read it.
    stamp.segment = 1;
    EXPECT_TRUE(macroControlBlock(stamp).error.empty());
}

TEST(MacroBlock, TextFieldsLeaveOutWhatTextCannotHold) {
    MacroFields f;
    f.fileName =
        "A\x01"
        "B";
    const auto block = macroControlBlock(f);
    EXPECT_EQ(block.skipped, 1u);
    EXPECT_EQ(block.codewords, (Codewords{928, 111, 100, 923, 0, 1}));
}

}  // namespace
}  // namespace qv::pdf417
