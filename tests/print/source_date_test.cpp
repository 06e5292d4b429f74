// SOURCE_DATE_EPOCH in place of the clock in PDF and EPS files: the same input makes the same
// bytes, and a PDF dated so is still whole (its byte offsets unchanged) for a real renderer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "decode.h"
#include "page/source_date.h"
#include "print_helpers.h"
#include "quorvantix/render.h"
#include "symbols.h"

namespace qv {
namespace {

// Whether every object of the cross-reference table starts where the table says: renderers
// repair broken tables silently, so rendering alone would not tell.
bool offsetsHold(std::string_view pdf) {
    const std::size_t start = pdf.rfind("startxref");
    if (start == std::string_view::npos) return false;
    const std::size_t table = std::strtoull(pdf.data() + start + 9, nullptr, 10);
    if (pdf.substr(table, 5) != "xref\n") return false;
    char* after = nullptr;
    const auto first = std::strtoull(pdf.data() + table + 5, &after, 10);
    const auto count = std::strtoull(after, &after, 10);
    std::size_t line = static_cast<std::size_t>(after - pdf.data()) + 1;  // entries of 20 bytes
    int checked = 0;
    for (auto object = first; object < first + count; ++object, line += 20) {
        if (line + 20 > pdf.size()) return false;
        if (pdf[line + 17] != 'n') continue;
        const std::size_t at = std::strtoull(pdf.data() + line, nullptr, 10);
        if (pdf.substr(at).rfind(std::to_string(object) + " 0 obj", 0) != 0) return false;
        ++checked;
    }
    return checked > 0;
}

class SourceDate : public ::testing::Test {
  protected:
    void TearDown() override { ::unsetenv("SOURCE_DATE_EPOCH"); }
};

TEST_F(SourceDate, OnlyATimeCounts) {
    const struct {
        const char* value;
        std::optional<std::int64_t> seconds;
    } cases[] = {
        {"1700000000", 1700000000},
        {"0", 0},
        {"253402300799", 253402300799},
        {"253402300800", std::nullopt},
        {"", std::nullopt},
        {"17e8", std::nullopt},
        {"-5", std::nullopt},
        {" 1", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        ::setenv("SOURCE_DATE_EPOCH", c.value, 1);
        EXPECT_EQ(page::sourceDateEpoch(), c.seconds) << '"' << c.value << '"';
    }
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(page::sourceDateEpoch(), std::nullopt);
}

TEST_F(SourceDate, DatesInTheShapesCairoWrites) {
    EXPECT_EQ(page::pdfDate(1700000000, 19), "(D:20231114221320Z)");
    EXPECT_EQ(page::pdfDate(1700000000, 24), "(D:20231114221320+00'00)");
    EXPECT_EQ(page::pdfDate(1700000000, 20), "");
    EXPECT_EQ(page::headerDate(1700000000), "Tue Nov 14 22:13:20 2023");
    EXPECT_EQ(page::headerDate(0), "Thu Jan  1 00:00:00 1970");
}

TEST_F(SourceDate, FilesCarryItAndStayWhole) {
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const struct {
        ImageFormat format;
        const char* extension;
        std::string_view date;
    } formats[] = {{ImageFormat::Pdf, "pdf", "/CreationDate (D:20231114221320"},
                   {ImageFormat::Eps, "eps", "%%CreationDate: Tue Nov 14 22:13:20 2023\n"}};
    const auto sample = test::samples(false).front();
    for (const auto& f : formats) {
        SCOPED_TRACE(f.extension);
        auto control = sample.make();
        const RenderedImage page = renderImage(*control, f.format);
        ASSERT_TRUE(page.ok()) << page.error;
        const std::string_view text(reinterpret_cast<const char*>(page.bytes.data()),
                                    page.bytes.size());
        EXPECT_NE(text.find(f.date), std::string_view::npos);
        if (f.format == ImageFormat::Pdf) {
            EXPECT_TRUE(offsetsHold(text));
        }
        const RenderedImage png = renderImage(*control, ImageFormat::Png);
        ASSERT_TRUE(png.ok());
        const auto back = test::renderBack(
            f.format, test::scratchFile(sample.name + "-dated." + f.extension, page.bytes), 96.0);
        ASSERT_TRUE(back);
        EXPECT_EQ(test::inkDifferences(*back, *test::toBitmap(test::decodePng(png.bytes))), 0);
    }
}

}  // namespace
}  // namespace qv
