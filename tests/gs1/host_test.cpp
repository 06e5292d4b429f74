// GS1 mode through the host layer and the render API, as every host gets it.
#include <gtest/gtest.h>

#include <filesystem>

#include "decode.h"
#include "image_file.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/host.h"
#include "quorvantix/render.h"

namespace qv {
namespace {

using cli::test::readPng;
using cli::test::TempDir;
using cli::test::toBitmap;

RenderOptions optionsOf(std::initializer_list<std::pair<const char*, const char*>> options) {
    RenderOptions o;
    for (const auto& [name, value] : options)
        EXPECT_EQ(setHostOption(o, name, value), std::nullopt);
    return o;
}

TEST(Gs1Host, OptionsOneRowEach) {
    for (const char* name : {"gs1", "gs1-nocheck", "gs1-gs-separator"}) {
        const HostOptionInfo* o = findHostOption(name);
        ASSERT_NE(o, nullptr) << name;
        EXPECT_TRUE(o->argument.empty()) << name;  // a flag
    }
    const RenderOptions nocheck = optionsOf({{"gs1-nocheck", "true"}});
    EXPECT_TRUE(nocheck.gs1 && nocheck.gs1NoCheck && !nocheck.gs1GsSeparator);
    const RenderOptions gs = optionsOf({{"gs1-gs-separator", "1"}});
    EXPECT_TRUE(gs.gs1 && !gs.gs1NoCheck && gs.gs1GsSeparator);
    RenderOptions o;
    EXPECT_EQ(setHostOption(o, "gs1", "yes"), "--gs1 takes true, false, 1 or 0, not \"yes\"");
}

TEST(Gs1Host, MakeSymbol) {
    struct Case {
        const char* control;
        std::vector<std::pair<std::string, std::string>> properties;
        RenderOptions options;
        SymbolStatus status;
        std::vector<Note> notes;
        std::string read;  // the bytes read back, GS as "|"; empty: nothing drawn
    };
    using S = Note::Severity;
    const std::string lot = "(01)09501101530003(10)ABC(17)250101";
    const std::string long49 = "(01)09501101530003(10)ABCDEFGHIJKLMN(21)ABCDEFGHIJKLMN";
    const Case cases[] = {
        {"barcode1d",
         {{"barType", "EAN128"}, {"Code", lot}},
         optionsOf({{"gs1", "true"}}),
         SymbolStatus::Ok,
         {},
         "]C1 010950110153000310ABC|17250101"},
        {"datamatrix",
         {{"Code", lot}},
         optionsOf({{"gs1-gs-separator", "true"}}),
         SymbolStatus::Ok,
         {},
         "]d2 010950110153000310ABC|17250101"},
        {"barcode1d",
         {{"barType", "EAN128"}, {"Code", "(01)09501101530004"}},
         optionsOf({{"gs1", "true"}}),
         SymbolStatus::NotRepresentable,
         {{S::Error, "AI (01) at position 18: check digit is 4, should be 3"}},
         ""},
        {"barcode1d",
         {{"barType", "EAN128"}, {"Code", "(01)09501101530004"}},
         optionsOf({{"gs1-nocheck", "true"}}),
         SymbolStatus::Ok,
         {},
         "]C1 0109501101530004"},
        {"barcode1d",
         {{"barType", "EAN128"}, {"Code", long49}},
         optionsOf({{"gs1", "true"}, {"strict", "true"}}),
         SymbolStatus::StrictWarnings,
         {{S::Warning, "GS1-128 data is 49 characters, beyond the limit of 48"}},
         ""},
        {"pdf417",
         {{"Code", lot}},
         optionsOf({{"gs1", "true"}}),
         SymbolStatus::NotRepresentable,
         {{S::Error, "GS1 data is for EAN-128 and Data Matrix only"}},
         ""},
        // Without GS1 mode, the same text is plain data.
        {"datamatrix", {{"Code", lot}}, {}, SymbolStatus::Ok, {}, "]d1 " + lot},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.properties.back().second);
        SymbolRequest request{c.control, c.properties, c.options};
        const SymbolResult r = makeSymbol(request, ImageFormat::Png);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.notes, c.notes);
        if (c.read.empty()) {
            EXPECT_TRUE(c.status != SymbolStatus::NotRepresentable || r.images.empty());
            continue;
        }
        ASSERT_EQ(r.images.size(), 1u);
        TempDir dir;
        const auto path = dir.file("s.png");
        {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            std::fwrite(r.images[0].bytes.data(), 1, r.images[0].bytes.size(), f);
            std::fclose(f);
        }
        const bool matrix = std::string_view(c.control) == "datamatrix";
        const auto d =
            test::decode(*toBitmap(readPng(path)),
                         matrix ? ZXing::BarcodeFormat::DataMatrix : ZXing::BarcodeFormat::Code128);
        std::string read = d.symbologyIdentifier + " " + d.bytes;
        std::replace(read.begin(), read.end(), '\x1D', '|');
        EXPECT_EQ(read, c.read);
    }
}

TEST(Gs1Host, UnmadeChecksAreListedApart) {
    SymbolRequest request{"barcode1d",
                          {{"barType", "EAN128"}, {"Code", "(01)09501101530003"}},
                          optionsOf({{"gs1", "true"}, {"strict", "true"}})};
    const SymbolResult r = makeSymbol(request, std::nullopt);
    EXPECT_EQ(r.status, SymbolStatus::Ok);  // not a warning: --strict holds
    EXPECT_EQ(r.notChecked, std::vector<std::string>{"AI (01) at position 5: gcppos2"});
    EXPECT_EQ(readPropertyValue(*r.control, "codeText"),
              PropertyValue{std::string("(01)09501101530003")});
}

TEST(Gs1Host, RenderApiLeavesTheControlAsTheProgramWroteIt) {
    TempDir dir;
    TBarcode1D c;
    c.barType = TSymbology::EAN128;
    c.Code = "(01)09501101530003(10)ABC";
    const RenderOptions gs1 = optionsOf({{"gs1", "true"}});
    for (int i = 0; i < 2; ++i) {  // the second render sees the same data again
        const auto file = dir.file(std::to_string(i) + ".png");
        ASSERT_TRUE(renderToFile(c, file, gs1).ok());
        const auto d = test::decode(*toBitmap(readPng(file)), ZXing::BarcodeFormat::Code128);
        EXPECT_EQ(d.symbologyIdentifier, "]C1");
        EXPECT_EQ(c.codeText, "(01)09501101530003(10)ABC");  // what the paint wrote back
    }
    EXPECT_EQ(c.Code, "(01)09501101530003(10)ABC");
    EXPECT_FALSE(c.ProcessTilde);
    EXPECT_FALSE(c.textOverride);

    c.Code = "(01)09501101530003(10)AB CD";
    const auto refused = renderToFile(c, dir.file("refused.png"), gs1);
    EXPECT_EQ(refused.error, "AI (10) at position 25: space is not in CSET 82");
    EXPECT_FALSE(std::filesystem::exists(dir.file("refused.png")));
}

}  // namespace
}  // namespace qv
