#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "quorvantix/pdf417.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

using pdf417::TEncoding;

// Prepares the sequence, then draws every segment; returns the data range each one took.
std::vector<std::pair<std::int32_t, std::int32_t>> drawSequence(TPDF417& control) {
    control.resetMacroPDF();
    control.prepareMacroPDF();
    std::vector<std::pair<std::int32_t, std::int32_t>> ranges;
    for (std::int32_t s = 0; s < control.PDFMacroSegmentCount; ++s) {
        control.PDFMacroSegment = s;
        RecordingCanvas canvas({0, 0, 1000, 1000});
        control.paintBarcode(canvas);
        EXPECT_TRUE(control.notes().empty()) << s << ": " << control.notes()[0].text;
        ranges.emplace_back(control.segmentStart(s), control.segmentStart(s + 1));
    }
    return ranges;
}

TEST(MacroSequence, SegmentsCoverTheDataWithoutGapOrLoss) {
    std::mt19937 rng(417);
    for (int round = 0; round < 150; ++round) {
        TPDF417 control;
        const auto mode = round % 2 == 0 ? TEncoding::PDF_BINARY : TEncoding::PDF_TEXT;
        control.PDFMode = mode;
        std::string data(std::uniform_int_distribution<int>(1, 400)(rng), 'a');
        for (auto& ch : data)
            ch = static_cast<char>(mode == TEncoding::PDF_TEXT
                                       ? std::uniform_int_distribution<int>(32, 126)(rng)
                                       : std::uniform_int_distribution<int>(0, 255)(rng));
        control.Code = data;
        control.PDFColumns = std::uniform_int_distribution<int>(3, 12)(rng);
        control.PDFMaxRows = std::uniform_int_distribution<int>(8, 20)(rng);
        control.PDFECLevel = std::uniform_int_distribution<int>(0, 2)(rng);
        control.PDFMacroFileId = "ID";
        const auto ranges = drawSequence(control);
        ASSERT_GT(control.PDFMacroSegmentCount, 0)
            << round << " " << control.notes().back().text << " " << control.PDFColumns << " "
            << control.PDFMaxRows << " " << control.PDFECLevel << " " << data.size();
        EXPECT_EQ(control.PDFMacroSegment, control.PDFMacroSegmentCount - 1);
        std::int32_t at = 0;
        for (const auto& [from, to] : ranges) {
            EXPECT_EQ(from, at) << round;
            EXPECT_GT(to, from) << round;
            at = to;
        }
        EXPECT_EQ(at, static_cast<std::int32_t>(data.size())) << round;
        // The last segment carries the terminator right before its error correction.
        const auto& cw = control.codewords();
        EXPECT_EQ(cw[static_cast<std::size_t>(cw[0] - 1)], 922) << round;
    }
}

TEST(MacroSequence, TextCountedSegmentsCanAllBeDrawn) {
    TPDF417 control;
    control.PDFMode = TEncoding::PDF_TEXT;
    control.Code = std::string(4000, 'A');
    control.PDFColumns = 30;
    control.PDFMaxRows = 40;
    const auto ranges = drawSequence(control);
    ASSERT_FALSE(ranges.empty());
    EXPECT_EQ(ranges.back().second, 4000);
}

struct StopCase {
    const char* what;
    TEncoding mode;
    std::string data;
    std::int32_t columns, maxRows, level;
};

TEST(MacroSequence, StopsAtASegmentThatTakesNothing) {
    const StopCase cases[] = {
        {"byte frame too small", TEncoding::PDF_BINARY, "ABCDEFGH", 1, 3, 1},
        {"no room for one character", TEncoding::PDF_TEXT, "ABCDEFGH", 1, 3, 0},
        {"numeric with a letter", TEncoding::PDF_NUMERIC, "12x", 10, 0, 0},
        {"not a mode", static_cast<TEncoding>(5), "AB", 10, 0, 0},
    };
    for (const auto& c : cases) {
        TPDF417 control;
        control.PDFMode = c.mode;
        control.Code = c.data;
        control.PDFColumns = c.columns;
        control.PDFMaxRows = c.maxRows;
        control.PDFECLevel = c.level;
        control.prepareMacroPDF();
        EXPECT_EQ(control.PDFMacroSegmentCount, -1) << c.what;
        ASSERT_FALSE(control.notes().empty()) << c.what;
        EXPECT_EQ(control.notes().back().severity, Note::Severity::Error) << c.what;
    }
}

TEST(MacroSequence, CountsAndIndexes) {
    TPDF417 control;
    control.Code = "";
    control.prepareMacroPDF();
    EXPECT_EQ(control.PDFMacroSegmentCount, 0);

    // Numeric data never splits.
    control.PDFMode = TEncoding::PDF_NUMERIC;
    control.Code = std::string(200, '5');
    control.PDFMaxRows = 3;
    control.prepareMacroPDF();
    EXPECT_EQ(control.PDFMacroSegmentCount, 1);

    // A plain paint that took all the data does not hide the sequence.
    control.PDFMode = TEncoding::PDF_BINARY;
    control.Code = std::string(100, 'x');
    control.PDFMaxRows = 0;
    control.PDFMacroSegment = -1;
    RecordingCanvas canvas;
    control.paintBarcode(canvas);
    EXPECT_EQ(control.segmentStart(0), 100);
    control.PDFMaxRows = 4;
    control.prepareMacroPDF();
    EXPECT_GT(control.PDFMacroSegmentCount, 1);

    // Indexes beyond the segment table draw nothing and say why; negative ones are plain.
    for (std::int32_t segment : {4999, 123456, INT32_MAX}) {
        control.PDFMacroSegment = segment;
        RecordingCanvas c;
        control.paintBarcode(c);
        EXPECT_EQ(c.calls.size(), 1u);
        ASSERT_EQ(control.notes().size(), 1u);
        EXPECT_EQ(control.notes()[0].severity, Note::Severity::Error);
    }
    control.PDFMacroSegment = INT32_MIN;
    control.PDFMaxRows = 0;
    control.paintBarcode(canvas);
    EXPECT_TRUE(control.notes().empty());
    const auto& cw = control.codewords();  // the plain symbol: no macro marker before the ECC
    EXPECT_EQ(std::find(cw.begin(), cw.begin() + cw[0], 928), cw.begin() + cw[0]);
}

}  // namespace
}  // namespace qv
