// Read-back before writing: the gallery symbols pass, unreadable ones fail and write nothing, and
// symbologies the reader cannot read are never passed.
#include <gtest/gtest.h>

#include <filesystem>

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"
#include "quorvantix/render.h"

namespace qv {
namespace {

using Outcome = Verification::Outcome;

struct Linear {
    TSymbology type;
    const char* data;
    Outcome outcome;
    bool tilde = false;
    char upceSystem = '1';
};

// The gallery's linear symbols: twice the module size, a quiet zone of ten modules.
constexpr Linear kGallery[] = {
    {TSymbology::CODE39, "QUORVANTIX", Outcome::Passed},
    {TSymbology::CODE39EXT, "Quorvantix+", Outcome::Passed},
    {TSymbology::CODE93, "QUORVANTIX-93", Outcome::Passed},
    {TSymbology::CODE93EXT, "Code 93 ext!", Outcome::Passed},
    {TSymbology::CODE128, "Quorvantix 128", Outcome::Passed},
    {TSymbology::EAN128, "~20201234567890128", Outcome::Passed, true},
    {TSymbology::INTERLEAVED25, "123456789", Outcome::Passed},
    {TSymbology::IND25, "123456", Outcome::NotVerified},
    {TSymbology::MAT25, "123456", Outcome::NotVerified},
    {TSymbology::CODE11, "123-45", Outcome::NotVerified},
    {TSymbology::CODABAR, "40156", Outcome::Passed},
    {TSymbology::MSI, "1234567", Outcome::NotVerified},
    {TSymbology::EAN13, "590123412345", Outcome::Passed},
    {TSymbology::EAN8, "9638507", Outcome::Passed},
    {TSymbology::UPCA, "03600029145", Outcome::Passed},
    {TSymbology::UPCE, "012345000065", Outcome::Passed, false, '0'},
    {TSymbology::POSTNET, "555551237", Outcome::NotVerified},
};

void setUp(TBarcode1D& c, const Linear& s) {
    c.barType = s.type;
    c.Code = s.data;
    c.ProcessTilde = s.tilde;
    c.UPCESytem = std::string(1, s.upceSystem);
    c.X = 2;
    c.LeftMargin = c.TopMargin = 20;
}

Verification verified(Control& control) {
    const RenderedImage image = renderImage(control, ImageFormat::Png, {.verify = true});
    EXPECT_EQ(image.verifications.size(), 1U);
    return image.verifications.empty() ? Verification{} : image.verifications[0];
}

TEST(Verify, GallerySymbolsPassAndUnreadableSymbologiesAreNotVerified) {
    if (!canVerify()) GTEST_SKIP() << "built without the reader";
    for (const auto& s : kGallery) {
        SCOPED_TRACE(s.data);
        TBarcode1D c;
        setUp(c, s);
        const Verification v = verified(c);
        EXPECT_EQ(v.outcome, s.outcome) << v.message;
        if (s.outcome == Outcome::NotVerified) {
            EXPECT_EQ(v.message.rfind("not verified", 0), 0U) << v.message;
        }
    }
    TDatamatrix dm;
    dm.Code = "Quorvantix Data Matrix";
    EXPECT_TRUE(verified(dm).passed()) << verified(dm).message;
    TPDF417 pdf;
    pdf.Code = "Quorvantix PDF417";
    pdf.PDFColumns = 4;
    pdf.BarWidthPixels = 2;
    pdf.BarHeightPixels = 14;
    EXPECT_TRUE(verified(pdf).passed()) << verified(pdf).message;
    TMaxicode maxi;
    maxi.data = "Quorvantix MaxiCode";
    maxi.setResolution(150);
    EXPECT_TRUE(verified(maxi).passed()) << verified(maxi).message;
    TMaxicode parcel;
    parcel.mode = 2;
    parcel.zipCode = "152382802";
    parcel.country = "840";
    parcel.serviceClass = "001";
    parcel.data = "Parcel for Quorvantix";
    parcel.LeftMargin = parcel.TopMargin = 10;
    EXPECT_TRUE(verified(parcel).passed()) << verified(parcel).message;
}

TEST(Verify, EscapesAndLeftOutCharactersAsTheReaderGivesThem) {
    if (!canVerify()) GTEST_SKIP() << "built without the reader";
    const struct {
        const char* code;
        Outcome outcome;
    } matrices[] = {
        {"~10107612345678900", Outcome::Passed},  // GS1: the leading FNC1 is no data
        {"ab~d009cd", Outcome::Passed},
        {"~5macro", Outcome::NotVerified},  // the reader writes the macro's header out
    };
    for (const auto& m : matrices) {
        SCOPED_TRACE(m.code);
        TDatamatrix dm;
        dm.Code = m.code;
        dm.ProcessTilde = true;
        EXPECT_EQ(verified(dm).outcome, m.outcome) << verified(dm).message;
    }
    TBarcode1D codabar;
    setUp(codabar, {TSymbology::CODABAR, "A40156B", Outcome::Passed});  // A and B left out
    EXPECT_TRUE(verified(codabar).passed()) << verified(codabar).message;
    TBarcode1D addOn;
    setUp(addOn, kGallery[12]);
    addOn.UPCEANSupplement5 = true;
    addOn.supplement = "52495";
    addOn.supSeparation = 20;
    EXPECT_TRUE(verified(addOn).passed()) << verified(addOn).message;
}

TEST(Verify, UnreadableSymbolsFailAndWriteNothing) {
    if (!canVerify()) GTEST_SKIP() << "built without the reader";
    TBarcode1D invisible;
    setUp(invisible, kGallery[4]);
    invisible.BarColor = invisible.BackColor;
    TBarcode1D noModules;
    setUp(noModules, kGallery[12]);
    noModules.X = 0;
    TDatamatrix noDots;
    noDots.PixelsDot = 0;
    Control* cases[] = {&invisible, &noModules, &noDots};
    const auto dir = std::filesystem::temp_directory_path() / "qv-verify-test";
    std::filesystem::create_directories(dir);
    for (Control* c : cases) {
        for (const char* name : {"out.png", "out.pdf", "out.svg", "out.eps"}) {
            SCOPED_TRACE(name);
            const auto path = (dir / name).string();
            const RenderedImage r = renderToFile(*c, path, {.verify = true});
            EXPECT_FALSE(r.ok());
            EXPECT_TRUE(r.verifyFailed());
            EXPECT_FALSE(r.error.empty());
            EXPECT_FALSE(std::filesystem::exists(path));
        }
    }
    std::filesystem::remove_all(dir);
}

TEST(Verify, ReadsOnlyTheCheckCharactersTheSymbolCarries) {
    if (!canVerify()) GTEST_SKIP() << "built without the reader";
    // Check digits the symbol does not carry: the reader gives the data without them.
    TBarcode1D c;
    setUp(c, kGallery[0]);
    c.checkCharacter = false;
    const Verification v = verified(c);
    EXPECT_TRUE(v.passed()) << v.message;
    EXPECT_EQ(v.read, "QUORVANTIX");
}

}  // namespace
}  // namespace qv
