#include "symbol_route.h"

#include <gtest/gtest.h>

namespace qv::service {
namespace {

std::string header(const Reply& reply, std::string_view name) {
    for (const auto& [n, v] : reply.headers)
        if (n == name) return v;
    return "";
}

TEST(SymbolRoute, ShorthandsAndPropertiesKeepTheirOrder) {
    auto r = prepareSymbol("BARCODE1D", "svg", "type=EAN13&data=590123412345&X=2&X=3&Font.Name=A+B",
                           1000);
    ASSERT_TRUE(std::holds_alternative<SymbolJob>(r));
    const SymbolJob& job = std::get<SymbolJob>(r);
    EXPECT_EQ(job.request.control, "barcode1d");
    EXPECT_EQ(job.format, ImageFormat::Svg);
    const std::vector<std::pair<std::string, std::string>> expected = {{"barType", "EAN13"},
                                                                       {"Code", "590123412345"},
                                                                       {"X", "2"},
                                                                       {"X", "3"},
                                                                       {"Font.Name", "A B"}};
    EXPECT_EQ(job.request.properties, expected);

    auto sized = prepareSymbol("datamatrix", "png", "size=300x200&data=x&strict", 1000);
    ASSERT_TRUE(std::holds_alternative<SymbolJob>(sized));
    const SymbolRequest& request = std::get<SymbolJob>(sized).request;
    EXPECT_EQ(request.options.width, 300);
    EXPECT_EQ(request.properties.front().first, "Code");
    // A flag without a value is set; with one, it takes it.
    EXPECT_TRUE(request.options.strict);
    auto off = prepareSymbol("datamatrix", "png", "strict=false", 1000);
    EXPECT_FALSE(std::get<SymbolJob>(off).request.options.strict);
}

SymbolResult resultWith(SymbolStatus status, std::vector<Note> notes, std::string message = "") {
    SymbolResult result;
    result.status = status;
    result.message = std::move(message);
    RenderedImage image;
    image.bytes = {0x89, 'P', 'N', 'G'};
    image.notes = std::move(notes);
    result.images.push_back(std::move(image));
    return result;
}

TEST(SymbolRoute, StatusesOfTheResult) {
    using Severity = Note::Severity;
    const struct {
        SymbolStatus status;
        std::vector<Note> notes;
        std::string message;
        int http;
        std::string_view inBody;
    } cases[] = {
        {SymbolStatus::Ok, {}, "", 200, "PNG"},
        {SymbolStatus::Ok, {{Severity::Warning, "padded"}}, "", 200, "PNG"},
        {SymbolStatus::Usage,
         {},
         "unknown property \"nope\"",
         400,
         "unknown property \\\"nope\\\""},
        {SymbolStatus::NotRepresentable,
         {{Severity::Error, "nothing fits"}},
         "",
         422,
         "\"error\":\"nothing fits\""},
        {SymbolStatus::StrictWarnings,
         {{Severity::Warning, "cut to 13"}},
         "",
         422,
         "\"error\":\"cut to 13\""},
        // The server's machine lacks a library: not the client's fault.
        {SymbolStatus::Unavailable, {}, "the text cannot be drawn: FreeType", 500, "FreeType"},
    };
    for (const auto& c : cases) {
        const Reply reply =
            symbolReply(resultWith(c.status, c.notes, c.message), ImageFormat::Png, "");
        EXPECT_EQ(reply.status, c.http) << c.message;
        EXPECT_NE(reply.body.find(c.inBody), std::string::npos) << reply.body;
        EXPECT_EQ(header(reply, "Quorvantix-Notes").empty(), c.notes.empty() || c.http == 400);
        EXPECT_EQ(header(reply, "ETag").empty(), c.http != 200);
    }
}

TEST(SymbolRoute, MatchingTagGives304WithoutBody) {
    const auto result = resultWith(SymbolStatus::Ok, {});
    const Reply first = symbolReply(result, ImageFormat::Svg, "");
    EXPECT_EQ(first.contentType, "image/svg+xml");
    const std::string tag = header(first, "ETag");
    const Reply again = symbolReply(result, ImageFormat::Svg, tag);
    EXPECT_EQ(again.status, 304);
    EXPECT_TRUE(again.body.empty());
    EXPECT_EQ(header(again, "ETag"), tag);
    EXPECT_EQ(header(again, "Cache-Control"), header(first, "Cache-Control"));
}

}  // namespace
}  // namespace qv::service
