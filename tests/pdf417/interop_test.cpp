// Rendered symbols read back by an independent reader.
#include <gtest/gtest.h>

#include "quorvantix/pdf417.h"
#include "symbol_reading.h"

namespace qv {
namespace {

using pdf417::TEncoding;
using test::paintAndRead;

std::string allBytes() {
    std::string s;
    for (int i = 0; i < 256; ++i) s.push_back(static_cast<char>(255 - i));
    return s;
}

// Two-pixel modules and rows of four: the reader needs rows of at least three pixels.
void readable(TPDF417& control, TEncoding mode, std::int32_t level, std::int32_t columns) {
    control.PDFMode = mode;
    control.PDFECLevel = level;
    control.PDFColumns = columns;
    control.BarWidthPixels = 2;
    control.BarHeightPixels = 4;
}

struct ModeCase {
    TEncoding mode;
    std::string data;
};

TEST(PDF417Interop, EveryModeAtSeveralLevelsAndColumns) {
    const ModeCase cases[] = {
        {TEncoding::PDF_BINARY, "This is a PDF417 Barcode"},
        {TEncoding::PDF_BINARY, allBytes()},
        {TEncoding::PDF_BINARY, "123456"},
        {TEncoding::PDF_BINARY, "1234567"},
        {TEncoding::PDF_BINARY, "12345678901"},
        {TEncoding::PDF_TEXT, "Hello World, this is MIXED case: a=1 & b=2; [ok] {x} ~!?'\"|"},
        {TEncoding::PDF_TEXT, "aBcDeF gHiJ 09 #$%*+-./:^"},
        {TEncoding::PDF_NUMERIC, "1234"},
        {TEncoding::PDF_NUMERIC, std::string(44, '9')},
        {TEncoding::PDF_NUMERIC,
         "0000000000000000000000000000000000000000000000000000000000000007"},
    };
    for (const auto& c : cases) {
        for (std::int32_t level : {0, 2, 5}) {
            for (std::int32_t columns : {4, 9, 17}) {
                TPDF417 control;
                readable(control, c.mode, level, columns);
                control.Code = c.data;
                const auto read = paintAndRead(control);
                ASSERT_TRUE(control.notes().empty()) << control.notes()[0].text;
                EXPECT_TRUE(read.ok) << c.data << " level " << level << " columns " << columns;
                EXPECT_EQ(read.bytes, c.data)
                    << c.data << " level " << level << " columns " << columns;
            }
        }
    }
}

TEST(PDF417Interop, TruncatedSymbols) {
    for (const auto mode : {TEncoding::PDF_BINARY, TEncoding::PDF_TEXT}) {
        for (std::int32_t level : {1, 4}) {
            TPDF417 control;
            readable(control, mode, level, 4);
            control.PDFTruncated = true;
            const auto read = paintAndRead(control);
            EXPECT_TRUE(read.ok) << level;
            EXPECT_EQ(read.bytes, control.Code) << level;
        }
    }
}

TEST(PDF417Interop, MacroSequenceReadsSegmentBySegment) {
    std::string text;
    for (int i = 0; text.size() < 900; ++i)
        text += "Segment data " + std::to_string(i) + " of a long Macro PDF417 text; ";
    for (const auto mode : {TEncoding::PDF_TEXT, TEncoding::PDF_BINARY}) {
        TPDF417 control;
        readable(control, mode, 2, 8);
        control.Code = text;
        control.PDFMaxRows = 30;
        control.PDFMacroFileId = "AB";
        control.PDFMacroFileName = "long.txt";
        control.resetMacroPDF();
        control.prepareMacroPDF();
        ASSERT_GE(control.PDFMacroSegmentCount, 3);
        std::string joined;
        for (std::int32_t s = 0; s < control.PDFMacroSegmentCount; ++s) {
            control.PDFMacroSegment = s;
            const auto read = paintAndRead(control);
            ASSERT_TRUE(read.ok) << s;
            EXPECT_EQ(read.index, s);
            EXPECT_EQ(read.count, control.PDFMacroSegmentCount);
            EXPECT_EQ(read.fileId,
                      "065066");  // the reader prints each file ID codeword in three digits
            joined += read.bytes;
        }
        EXPECT_EQ(joined, text);
    }
}

}  // namespace
}  // namespace qv
