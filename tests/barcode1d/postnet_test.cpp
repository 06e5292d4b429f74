#include "barcode1d/postnet.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "barcode1d/more_encoders.h"
#include "recording_sink.h"
#include "zint_dump.h"

namespace qv::barcode1d {
namespace {

using test::Harness;

// "1" for a tall bar, "0" for a short one, from what was drawn.
std::string heights(const Harness& h) {
    std::string s;
    for (const auto& r : h.sink.rectangles) s += r.y == h.props.TopMargin ? '1' : '0';
    return s;
}

TEST(Postnet, TwelveThreeFortyFive) {
    Harness h;
    h.props.Code = "12345";
    h.sink.setX(20);
    h.run(encodePostnet);
    // Frame, 1, 2, 3, 4, 5, check digit 5, frame.
    EXPECT_EQ(heights(h),
              "1"
              "00011"
              "00101"
              "00110"
              "01001"
              "01010"
              "01010"
              "1");
    ASSERT_EQ(h.sink.rectangles.size(), 32u);
    EXPECT_EQ(h.sink.x(), 20 + 32 * 3);
    for (std::size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(h.sink.rectangles[i].x, 20 + 3 * static_cast<std::int64_t>(i));
        EXPECT_EQ(h.sink.rectangles[i].w, 1);
    }
    EXPECT_EQ(h.props.codeText, "");
}

TEST(Postnet, BarHeightsEndOnOneRow) {
    struct Case {
        std::int32_t tall, shortBar, extra;
    };
    for (const Case& c : std::vector<Case>{{20, 10, 0}, {20, 10, 5}, {10, 20, 0}, {7, 7, 3}}) {
        Harness h;
        h.props.Code = "0";
        h.props.checkCharacter = false;
        h.props.postnetHeightTallBar = c.tall;
        h.props.postnetHeightShortBar = c.shortBar;
        h.props.extraHeight = c.extra;
        h.run(encodePostnet);
        ASSERT_EQ(h.sink.rectangles.size(), 7u);  // frame, "11000", frame
        const auto& tall = h.sink.rectangles[1];
        const auto& shortBar = h.sink.rectangles[3];
        EXPECT_EQ(tall.y, 20);
        EXPECT_EQ(tall.h, c.tall + c.extra);
        EXPECT_EQ(shortBar.y, 20 + c.tall - c.shortBar);
        EXPECT_EQ(shortBar.h, c.shortBar + c.extra);
        EXPECT_EQ(tall.y + tall.h, shortBar.y + shortBar.h);
    }
}

TEST(Postnet, EmptyAndNonDigitData) {
    struct Case {
        std::string data;
        bool check;
        std::string bars;
        std::size_t notes;
    };
    for (const Case& c : std::vector<Case>{{"", true, "1110001", 0},
                                           {"", false, "11", 0},
                                           {"9x", false, "1101001", 1},
                                           {std::string("\0", 1), true, "1110001", 1}}) {
        Harness h;
        h.props.Code = c.data;
        h.props.checkCharacter = c.check;
        h.run(encodePostnet);
        EXPECT_EQ(heights(h), c.bars) << c.data;
        EXPECT_EQ(h.notes.size(), c.notes) << c.data;
    }
}

TEST(Postnet, HugeSizesStayIn64Bits) {
    Harness h;
    h.props.Code = "1";
    h.props.X = 2'000'000'000;
    h.props.N = 2'000'000'000;
    h.props.TopMargin = 2'000'000'000;
    h.props.postnetHeightTallBar = 2'000'000'000;
    h.props.postnetHeightShortBar = -2'000'000'000;
    h.props.extraHeight = 2'000'000'000;
    h.run(encodePostnet);
    ASSERT_EQ(h.sink.rectangles.size(), 12u);
    EXPECT_EQ(h.sink.rectangles[1].y, 6'000'000'000);
    EXPECT_EQ(h.sink.x(), std::numeric_limits<std::int64_t>::max());
}

// zint draws one-module bars with one-module gaps; its top row marks the tall bars. Its check
// digit is the same.
TEST(Postnet, CrossCheckWithZint) {
    for (const std::string data : {"12345", "0", "555551237", "98765432109"}) {
        Harness h;
        h.props.Code = data;
        h.run(encodePostnet);
        const auto z = test::zintModules("-b 40 -d " + data);
        ASSERT_TRUE(z.has_value());
        ASSERT_EQ(z->size(), 2u);
        std::string tall;
        for (std::size_t i = 0; i < (*z)[1].size(); i += 2)
            tall += i < (*z)[0].size() ? (*z)[0][i] : '0';
        EXPECT_EQ(heights(h), tall) << data;
    }
}

}  // namespace
}  // namespace qv::barcode1d
