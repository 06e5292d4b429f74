// Rendered symbols read back by an independent reader.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/text_conversions.h"
#include "decode.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

constexpr std::int32_t kQuiet = 20;
const std::string kHeader =
    "[)>\x1e"
    "01\x1d"
    "96";
constexpr char kGS = '\x1d';

// The whole symbol with a quiet zone around it.
std::unique_ptr<Bitmap> render(TMaxicode& control) {
    control.LeftMargin = kQuiet;
    control.TopMargin = kQuiet;
    auto bitmap = std::make_unique<Bitmap>(control.preferredWidth + 2 * kQuiet,
                                           control.preferredHeight + 2 * kQuiet);
    bitmap->canvas().pen.color = 0xFFFFFF;  // the background outline takes the canvas pen
    control.paintBarcode(bitmap->canvas());
    return bitmap;
}

std::string read(TMaxicode& control) {
    const auto d = test::decode(*render(control), ZXing::BarcodeFormat::MaxiCode);
    return d.ok ? d.bytes : "(not read)";
}

// The reader gives the postal fields of modes 2 and 3 back in the message, after the header
// when there is one, as "zip GS country GS class GS".
TEST(MaxiInterop, MessagesReadBack) {
    struct Case {
        std::int32_t mode;
        std::string data;
    };
    const std::vector<Case> cases = {
        {4, "123456789"},
        {4, "1234567890123456789012345678"},
        {4, "A123456789B"},
        {6, "ab123456789cd"},
        {4, "HELLO WORLD"},
        {4, "hello world"},
        {6, "Hello World, mixed Case!"},
        {4, "aBcDeFgHiJ"},
        {4, "abABCD abABC abAB ab1"},
        {4, "{}~~|;<=>?[\\]^_`@!\x7f"},
        {4, "\xC0\xC1\xC2\xC3 \xDA\xDB\xDF\xAA"},                 // set C
        {4, "\xE0\xE1\xE2\xE3\xFB\xFC\x8A\x94"},                  // set D
        {6, std::string("\x01\x02\x03\x04\x1b\x1c\x1f\x00", 8)},  // set E
        {4, "\x80\x81\x8A\x95\x9F\xA0\xA1\xAA\xB6\xBF"},
        {4, "x\xC0y\xE0z\x01Q\xC0\xC1\xE0\xE1"},
        // (CR is left out: the reader gives set A's value 0 back as a line feed.)
        {4,
         "ABC\x1d\x1e\x1c"
         "DEF GHI:"},
        {5, "MODE 5 carries less, checked harder 0123456789"},
        {4, std::string(92, 'A')},
        {2, kHeader + "152382802\x1d"
                      "840\x1d"
                      "001\x1d"
                      "1Z00004951\x1dUPSN\x1d"
                      "06X610\x1d"
                      "159\x1d"
                      "1234567\x1d"
                      "1/1\x1d\x1dY\x1d"
                      "634 ALPHA DR\x1dPITTSBURGH\x1dPA\x1e\x04"},
        {2,
         "12345\x1d"
         "840\x1d"
         "001\x1dHELLO parcel"},
        {3, kHeader + "W1A1AA\x1d"
                      "826\x1d"
                      "002\x1d"
                      "trackingNo 1234567890"},
        {2,
         "EC1A1B\x1d"
         "826\x1d"
         "123\x1dmode 2 becomes 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        TMaxicode control;
        control.mode = c.mode;
        control.data = c.data;
        EXPECT_EQ(read(control), core::expandTildes(c.data));
        // Only the mode switch of a postal code with letters is noted.
        EXPECT_EQ(control.notes().size(), c.mode == 2 && c.data[0] == 'E' ? 1U : 0U);
    }
}

// Mixed messages over all five code sets: every shift, latch and lock the encoder takes must
// read back.
TEST(MaxiInterop, RandomMixedMessages) {
    // Letters, digits and punctuation weigh more than the rest, so runs form.
    const std::string common = "ABCDEFXYZabcdefxyz0123456789 ,./:;!@";
    std::mt19937 random(16023);
    for (int round = 0; round < 60; ++round) {
        std::string data;
        const auto length = 1 + random() % 30;
        while (data.size() < length) {
            const auto pick = random() % 4;
            const auto run = 1 + random() % 5;
            for (unsigned i = 0; i < run && data.size() < length; ++i) {
                auto c =
                    pick < 2 ? common[random() % common.size()] : static_cast<char>(random() % 256);
                if (c == '\r') c = 'R';  // the reader gives CR back as a line feed
                data += c;
            }
        }
        SCOPED_TRACE(round);
        TMaxicode control;
        control.processTilde = false;
        control.mode = round % 2 == 0 ? 4 : 6;
        control.data = data;
        EXPECT_EQ(read(control), data);
    }
}

// The demo's parcel symbol, written with tilde escapes for the separators.
TEST(MaxiInterop, DemoParcel) {
    TMaxicode control;
    control.mode = 2;
    control.data =
        "[)>~03001~02996152382802~029840~029001~0291Z00004951~029UPSN~02906X610~029159~029"
        "1234567~0291/1~029~029Y~029634 ALPHA DR~029PITTSBURGH~029PA~030~004";
    EXPECT_EQ(read(control), core::expandTildes(control.data));
    EXPECT_EQ(control.zipCode, "152382802");
}

TEST(MaxiInterop, PostalFieldsFromProperties) {
    // The reader prints the postal code at its coded length, country and class as three digits.
    struct Case {
        std::int32_t mode;
        std::string zip, country, service, read;
    };
    const Case cases[] = {
        {2, "12345", "840", "1", "12345|840|001|"},
        {2, "00123", "1", "999", "00123|001|999|"},
        {3, "AB12CD", "276", "123", "AB12CD|276|123|"},
        {3, "AB12", "276", "123", "AB12  |276|123|"},
    };
    for (const auto& c : cases) {
        TMaxicode control;
        control.mode = c.mode;
        control.zipCode = c.zip;
        control.country = c.country;
        control.serviceClass = c.service;
        control.data = "parcel";
        std::string expected = c.read + control.data;
        std::replace(expected.begin(), expected.end(), '|', kGS);
        EXPECT_EQ(read(control), expected);
    }
}

TEST(MaxiInterop, EveryHexagonSize) {
    // 200, 300, 400, 500, 600 dpi draw the five drawn patterns; 250 and 1200 generate one; at 96
    // dpi no size passes and the larger one is drawn.
    const std::string structured = kHeader +
                                   "123456789\x1d"
                                   "840\x1d"
                                   "001\x1dTRACK 42 abc";
    for (const std::int32_t resolution : {200, 250, 300, 400, 500, 600, 1200, 96}) {
        for (const std::int32_t mode : {2, 4}) {
            SCOPED_TRACE(std::to_string(resolution) + " dpi, mode " + std::to_string(mode));
            TMaxicode control;
            control.setResolution(resolution);
            control.mode = mode;
            control.data = structured;
            EXPECT_EQ(read(control), structured);
        }
    }
}

TEST(MaxiInterop, CutKeepsWholeDigitGroups) {
    struct Case {
        std::int32_t mode;
        std::size_t kept;
    };
    for (const auto& c : {Case{4, 135}, Case{5, 108}, Case{6, 135}}) {
        TMaxicode control;
        control.mode = c.mode;
        control.data = std::string(160, '3');
        EXPECT_EQ(read(control), std::string(c.kept, '3'));
        ASSERT_EQ(control.notes().size(), 1U);
        EXPECT_EQ(control.notes()[0].severity, Note::Severity::Warning);
    }
}

TEST(MaxiInterop, StructuredAppendSequence) {
    struct Case {
        std::int32_t mode, count, position;
    };
    for (const auto& c : {Case{4, 3, 2}, Case{4, 8, 8}, Case{2, 2, 1}, Case{6, 4, 1}}) {
        TMaxicode control;
        control.mode = c.mode;
        control.numberOfCodes = c.count;
        control.positionOfCode = c.position;
        control.data =
            "12345\x1d"
            "840\x1d"
            "001\x1dpart";
        const auto bitmap = render(control);
        std::vector<std::uint8_t> lum;
        for (const auto px : bitmap->pixels()) lum.push_back(px == 0 ? 0 : 255);
        ZXing::DecodeHints hints;
        hints.setFormats(ZXing::BarcodeFormat::MaxiCode);
        hints.setTryDownscale(false);
        const auto result = ZXing::ReadBarcode(
            {lum.data(), bitmap->width(), bitmap->height(), ZXing::ImageFormat::Lum}, hints);
        ASSERT_TRUE(result.isValid());
        EXPECT_EQ(result.sequenceSize(), c.count);
        EXPECT_EQ(result.sequenceIndex(), c.position - 1);
        const auto& bytes = result.bytes();
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), control.data);
    }
}

}  // namespace
}  // namespace qv
