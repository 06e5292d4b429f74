// GS1 data on the controls: the text under an EAN-128 symbol, refusals that leave the control as
// it was, and the notes for the host.
#include <gtest/gtest.h>

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/gs1.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/recording.h"

namespace qv::gs1 {
namespace {

std::vector<std::string> textsDrawn(TBarcode1D& c) {
    RecordingCanvas canvas({0, 0, 2000, 300});
    c.paintBarcode(canvas);
    std::vector<std::string> texts;
    for (const auto& call : canvas.calls)
        if (call.kind == DrawCall::Kind::Text) texts.push_back(call.text);
    return texts;
}

TEST(Gs1Apply, TextUnderEan128ShowsTheAisInParentheses) {
    TBarcode1D c;
    c.barType = TSymbology::EAN128;
    c.Code = "[01]09501101530003[10]A\\(1)";
    ASSERT_TRUE(applyGs1(c, {}).ok());
    EXPECT_EQ(c.Code, "010950110153000310A(1)");
    EXPECT_EQ(textsDrawn(c), std::vector<std::string>{"(01)09501101530003(10)A(1)"});
    EXPECT_EQ(c.codeText, "(01)09501101530003(10)A(1)");
}

TEST(Gs1Apply, WithoutGs1TheControlsOwnTextHolds) {
    // The gallery's raw EAN-128: the text is the data as the host set it, escapes and all.
    TBarcode1D c;
    c.barType = TSymbology::EAN128;
    c.ProcessTilde = true;
    c.Code = "~20201234567890128";
    EXPECT_EQ(textsDrawn(c), std::vector<std::string>{"~20201234567890128"});
    EXPECT_EQ(c.codeText, "~20201234567890128");
    // A symbology that writes its own text (the EAN-13 check digit) keeps doing so.
    c.barType = TSymbology::EAN13;
    c.ProcessTilde = false;
    c.Code = "590123412345";
    textsDrawn(c);
    EXPECT_EQ(c.codeText, "5901234123457");
}

TEST(Gs1Apply, RefusalsLeaveTheControlAsItWas) {
    struct Case {
        TSymbology type;
        const char* code;
        const char* note;
    };
    const Case cases[] = {
        {TSymbology::EAN128, "(01)09501101530004",
         "AI (01) at position 18: check digit is 4, should be 3"},
        {TSymbology::EAN128, "0109501101530003",
         "GS1 data at position 1: element strings start with an AI in parentheses or brackets, "
         "not '0'"},
        {TSymbology::CODE128, "(01)09501101530003", "GS1 data needs barType EAN128 (it is 13)"},
    };
    for (const Case& k : cases) {
        TBarcode1D c;
        c.barType = k.type;
        c.Code = k.code;
        const Applied a = applyGs1(c, {});
        EXPECT_EQ(a.notes, (std::vector<Note>{{Note::Severity::Error, k.note}})) << k.code;
        EXPECT_EQ(c.Code, k.code);
        EXPECT_FALSE(c.ProcessTilde);
        EXPECT_FALSE(c.textOverride);
    }
    TDatamatrix dm;
    dm.Code = "(01)09501101530003";
    dm.Encoding = TEncoding::E_C40;
    EXPECT_EQ(applyGs1(dm, {}).notes,
              (std::vector<Note>{
                  {Note::Severity::Error,
                   "GS1 data needs Encoding E_ASCII or E_AUTO to start with FNC1 (it is 1)"}}));
    EXPECT_EQ(dm.Code, "(01)09501101530003");
    TMaxicode maxi;
    EXPECT_FALSE(applyGs1(maxi, {}).ok());
}

TEST(Gs1Apply, ChecksOffForTestSymbols) {
    TBarcode1D c;
    c.barType = TSymbology::EAN128;
    c.Code = "(05)X(01)09501101530004";
    Options o;
    o.check = false;
    const Applied a = applyGs1(c, o);
    EXPECT_TRUE(a.notes.empty());
    EXPECT_TRUE(a.skipped.empty());
    // An AI the dictionary lacks may be of any length: it gets a separator.
    EXPECT_EQ(c.Code, "05X~2020109501101530004");
}

TEST(Gs1Apply, LengthLimitOfGs1_128) {
    // 16 + 16 + 15 characters and a separator, 48 in all: within the limit; one more is beyond it.
    TBarcode1D c;
    c.barType = TSymbology::EAN128;
    c.Code = "(01)09501101530003(10)ABCDEFGHIJKLMN(21)ABCDEFGHIJKLM";
    EXPECT_EQ(applyGs1(c, {}).notes, std::vector<Note>{});
    c.Code = "(01)09501101530003(10)ABCDEFGHIJKLMN(21)ABCDEFGHIJKLMN";
    EXPECT_EQ(applyGs1(c, {}).notes,
              (std::vector<Note>{{Note::Severity::Warning,
                                  "GS1-128 data is 49 characters, beyond the limit of 48"}}));
    // Data Matrix has no such limit.
    TDatamatrix dm;
    dm.Code = "(01)09501101530003(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJKLMNOPQRST";
    EXPECT_EQ(applyGs1(dm, {}).notes, std::vector<Note>{});
    EXPECT_EQ(dm.Code,
              "~10109501101530003"
              "10ABCDEFGHIJKLMNOPQRST~121ABCDEFGHIJKLMNOPQRST");
}

}  // namespace
}  // namespace qv::gs1
