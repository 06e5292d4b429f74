// GS1 symbols read back by an independent reader as GS1 (]C1, ]d2), with a GS exactly after each
// variable-length field that another follows, and nowhere else.
#include <gtest/gtest.h>

#include <algorithm>

#include "decode.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/gs1.h"
#include "quorvantix/recording.h"

namespace qv::gs1 {
namespace {

using ZXing::BarcodeFormat;

#define GTIN "09501101530003"

struct Message {
    const char* text;
    const char* read;  // what the reader returns, "|" standing for GS (29)
    bool check = true;
};

// Fixed (F) and variable (V) fields in every order, fields of fixed length that still need a
// separator because the dictionary does not predefine their length, escapes and long data.
const Message kMessages[] = {
    {"(01)" GTIN "(17)250101", "01" GTIN "17250101"},                               // F F
    {"(01)" GTIN "(10)ABC123", "01" GTIN "10ABC123"},                               // F V
    {"(10)ABC123(01)" GTIN, "10ABC123|01" GTIN},                                    // V F
    {"(01)" GTIN "(10)ABC(21)XYZ", "01" GTIN "10ABC|21XYZ"},                        // F V V
    {"(10)ABC(17)250101(01)" GTIN "(21)12345", "10ABC|1725010101" GTIN "2112345"},  // V F F V
    {"(21)1(10)2(01)" GTIN, "211|102|01" GTIN},                                     // V V F
    {"(8006)" GTIN "0102(17)250101", "8006" GTIN "0102|17250101"},  // fixed, not predefined
    {"(00)009501101530000014(4330)001234-(4321)1",
     "00009501101530000014"
     "4330001234-|43211"},
    {"[01]" GTIN "[10]A\\(1)B[11]250102", "01" GTIN "10A(1)B|11250102"},  // brackets, "("
    {"(90)A~202B~1C(91)~", "90A~202B~1C|91~", false},                     // tildes stay data
    {"(01)" GTIN "(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJKLMNOPQRST",
     "01" GTIN "10ABCDEFGHIJKLMNOPQRST|21ABCDEFGHIJKLMNOPQRST"},  // beyond 48
};

std::string withGs(std::string_view read) {
    std::string s(read);
    std::replace(s.begin(), s.end(), '|', '\x1D');
    return s;
}

test::Decoded readEan128(const Message& m) {
    TBarcode1D c;
    c.barType = TSymbology::EAN128;
    c.Code = m.text;
    c.X = 2;
    c.LeftMargin = 24;
    c.BarHeightPixels = 50;
    Options o;
    o.check = m.check;
    const Applied applied = applyGs1(c, o);
    EXPECT_TRUE(applied.ok()) << m.text;
    RecordingCanvas probe({0, 0, 1 << 20, 400});
    c.paintBarcode(probe);
    Bitmap bmp(static_cast<std::int32_t>(c.layoutMarks().symbolEnd + 24), 120);
    c.paintBarcode(bmp.canvas());
    return test::decode(bmp, BarcodeFormat::Code128);
}

test::Decoded readDatamatrix(const Message& m, Separator separator, TEncoding encoding) {
    TDatamatrix dm;
    dm.Code = m.text;
    dm.Encoding = encoding;
    dm.PixelsDot = 3;
    dm.Margin = 12;
    Options o;
    o.check = m.check;
    o.datamatrixSeparator = separator;
    EXPECT_TRUE(applyGs1(dm, o).ok()) << m.text;
    dm.buildSymbol();
    Bitmap bmp(2 * dm.Margin + dm.symbolColumns() * dm.PixelsDot + 1,
               2 * dm.Margin + dm.symbolRows() * dm.PixelsDot + 1);
    bmp.canvas().pen.color = 0xFFFFFF;  // the background fill's outline stays quiet zone
    dm.paintBarcode(bmp.canvas());
    return test::decode(bmp, BarcodeFormat::DataMatrix, {.pure = true});
}

TEST(Gs1ReadBack, Ean128) {
    for (const Message& m : kMessages) {
        const auto d = readEan128(m);
        ASSERT_TRUE(d.ok) << m.text;
        EXPECT_EQ(d.symbologyIdentifier, "]C1") << m.text;
        EXPECT_EQ(d.bytes, withGs(m.read)) << m.text;
    }
}

TEST(Gs1ReadBack, DatamatrixWithEitherSeparator) {
    for (const Separator sep : {Separator::Fnc1, Separator::GroupSeparator}) {
        for (const TEncoding enc : {TEncoding::E_ASCII, TEncoding::E_AUTO}) {
            for (const Message& m : kMessages) {
                const auto d = readDatamatrix(m, sep, enc);
                ASSERT_TRUE(d.ok) << m.text;
                EXPECT_EQ(d.symbologyIdentifier, "]d2") << m.text;
                EXPECT_EQ(d.bytes, withGs(m.read)) << m.text;
            }
        }
    }
}

}  // namespace
}  // namespace qv::gs1
