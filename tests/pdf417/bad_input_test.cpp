// Any value a host can write gives a defined result: no crash, no sanitizer report, no hang.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "quorvantix/pdf417.h"
#include "quorvantix/raster.h"
#include "quorvantix/recording.h"

namespace qv {
namespace {

constexpr std::int32_t kHostile[] = {INT32_MIN,
                                     INT32_MIN + 1,
                                     -100000,
                                     -91,
                                     -2,
                                     -1,
                                     0,
                                     1,
                                     2,
                                     3,
                                     8,
                                     9,
                                     29,
                                     30,
                                     31,
                                     89,
                                     90,
                                     91,
                                     928,
                                     4998,
                                     4999,
                                     100000,
                                     INT32_MAX - 1,
                                     INT32_MAX};

std::string randomBytes(std::mt19937& rng, std::size_t n) {
    std::string s(n, '\0');
    for (auto& ch : s) ch = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
    return s;
}

std::int32_t pick(std::mt19937& rng) {
    return kHostile[std::uniform_int_distribution<std::size_t>(0, std::size(kHostile) - 1)(rng)];
}

TEST(PDF417BadInput, AnyPropertyValues) {
    std::mt19937 rng(929);
    for (int round = 0; round < 400; ++round) {
        TPDF417 control;
        control.Code = randomBytes(rng, std::uniform_int_distribution<std::size_t>(0, 300)(rng));
        if (round % 4 == 1) control.Code = std::string(control.Code.size(), '7');
        control.PDFMode = static_cast<pdf417::TEncoding>(round % 5 == 4 ? pick(rng) : round % 3);
        control.PDFECLevel = pick(rng);
        control.PDFColumns = pick(rng);
        control.PDFRows = pick(rng);
        control.PDFMaxRows = pick(rng);
        control.PDFTruncated = round % 2 == 0;
        control.PDFMacroSegment = round % 3 == 0 ? pick(rng) : -1;
        control.PDFMacroSegmentCount = round % 6 == 0 ? pick(rng) : -1;
        control.PDFMacroFileId = randomBytes(rng, 5);
        control.PDFMacroFileName = randomBytes(rng, 5);
        control.PDFMacroTimeStamp = round % 2 ? randomBytes(rng, 3) : std::string(60, '9');
        control.PDFMacroSender = randomBytes(rng, 4);
        control.PDFMacroAddresse = randomBytes(rng, 4);
        control.PDFMacroFileSize = pick(rng);
        control.TopMargin = pick(rng);
        control.LeftMargin = pick(rng);
        control.BarWidthPixels = pick(rng);
        control.BarHeightPixels = pick(rng);
        Bitmap bitmap(64, 48);
        control.paintBarcode(bitmap.canvas());
        RecordingCanvas recording({-5, -5, 40, 40});
        control.paintBarcode(recording);
        // Every bar drawn touches the clip rectangle.
        for (std::size_t i = 1; i < recording.calls.size(); ++i) {
            const auto& c = recording.calls[i];
            if (c.kind != DrawCall::Kind::Polygon) continue;
            for (const auto& p : c.points) {
                EXPECT_GE(p.x, -6);
                EXPECT_LE(p.x, 40);
                EXPECT_GE(p.y, -6);
                EXPECT_LE(p.y, 40);
            }
        }
        EXPECT_LE(control.PDFMaxRows, 90);
        EXPECT_NE(control.BarHeightPixels, 0);
        if (round % 10 == 0) {
            control.resetMacroPDF();
            control.prepareMacroPDF();
            EXPECT_GE(control.PDFMacroSegmentCount, -1);
        }
    }
}

TEST(PDF417BadInput, LongDataStaysBounded) {
    // A megabyte of data: each mode builds at most one symbol and says what it left out.
    std::mt19937 rng(7);
    const std::string big = randomBytes(rng, 1 << 20);
    for (const auto mode : {pdf417::TEncoding::PDF_BINARY, pdf417::TEncoding::PDF_TEXT,
                            pdf417::TEncoding::PDF_NUMERIC}) {
        TPDF417 control;
        control.PDFMode = mode;
        control.Code = mode == pdf417::TEncoding::PDF_NUMERIC ? std::string(1 << 20, '3') : big;
        control.PDFColumns = 30;
        RecordingCanvas canvas;
        control.paintBarcode(canvas);
        EXPECT_FALSE(control.notes().empty());
        EXPECT_LE(control.codewords().size(), 928u);
    }
}

}  // namespace
}  // namespace qv
