#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <regex>
#include <vector>

#include "pixel_helpers.h"
#include "quorvantix/raster.h"
#include "quorvantix/svg.h"

namespace qv {
namespace {

// Enough of XML to catch what a writer gets wrong: balanced tags, quoted attributes, escaped
// markup characters, valid UTF-8 without control characters.
::testing::AssertionResult wellFormed(const std::string& doc) {
    std::vector<std::string> open;
    std::size_t i = 0;
    auto fail = [&](const char* why) {
        return ::testing::AssertionFailure() << why << " at " << i << ": " << doc.substr(i, 40);
    };
    while (i < doc.size()) {
        const auto c = static_cast<unsigned char>(doc[i]);
        if (c < 0x20 && c != '\n' && c != '\t' && c != '\r') return fail("control character");
        if (c == '&') {
            const std::size_t semi = doc.find(';', i);
            const std::string entity = doc.substr(i, semi - i + 1);
            if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" &&
                entity != "&apos;") {
                return fail("bad entity");
            }
        } else if (c == '>') {
            return fail("stray >");
        } else if (c == '<') {
            const std::size_t end = doc.find('>', i);
            if (end == std::string::npos) return fail("unclosed tag");
            std::string tag = doc.substr(i + 1, end - i - 1);
            if (tag.find('<') != std::string::npos) return fail("< inside a tag");
            if (tag.front() == '?') {
                // declaration
            } else if (tag.front() == '/') {
                if (open.empty() || open.back() != tag.substr(1)) return fail("mismatched end");
                open.pop_back();
            } else {
                const bool selfClosing = tag.back() == '/';
                const std::string name = tag.substr(0, tag.find_first_of(" /"));
                static const std::regex attrs(
                    R"(^[a-z]+(\s+[a-zA-Z][a-zA-Z0-9:-]*="[^"<]*")*\s*/?$)");
                if (!std::regex_match(tag, attrs)) return fail("bad attributes");
                if (!selfClosing) open.push_back(name);
            }
            i = end;
        } else if (c >= 0x80) {
            const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
            if (extra < 0) return fail("bad UTF-8 lead byte");
            for (int k = 1; k <= extra; ++k) {
                if ((static_cast<unsigned char>(doc[i + k]) & 0xC0) != 0x80)
                    return fail("bad UTF-8");
            }
            i += static_cast<std::size_t>(extra);
        }
        ++i;
    }
    if (!open.empty()) return ::testing::AssertionFailure() << "unclosed " << open.back();
    return ::testing::AssertionSuccess();
}

TEST(Svg, DocumentWithTheRectOfAKnownPolygon) {
    SvgCanvas svg(120, 50);
    svg.pen.color = 0;
    svg.brush.color = 0;
    svg.rectanglePolygon(10, 20, 12, 44);
    const std::string doc = svg.document();
    EXPECT_TRUE(wellFormed(doc));
    EXPECT_NE(doc.find(R"(width="120" height="50" viewBox="0 0 120 50")"), std::string::npos);
    EXPECT_NE(doc.find(R"(shape-rendering="crispEdges")"), std::string::npos);
    EXPECT_NE(doc.find(R"(<rect x="10" y="20" width="3" height="25" fill="#000000"/>)"),
              std::string::npos);
    EXPECT_EQ(svg.clipRect(), (Rect{0, 0, 120, 50}));
}

TEST(Svg, EveryKindOfCallStaysWellFormed) {
    SvgCanvas svg(100, 60);
    std::string hostile = "<a & \"b\" 'c'> \x80\xe9\x01\x1f";
    svg.font.name = "Evil\" name<&>";
    svg.font.color = 0x0000FF;
    svg.font.bold = svg.font.underline = svg.font.strikeout = true;
    svg.brush.color = 0x00FF00;
    svg.textOut(5, 6, hostile);
    svg.textOut(5, 30, "");
    svg.ellipse(10, 10, 30, 20);
    svg.ellipse(40, 10, 41, 30);
    svg.line({1, 1}, {1, 2});
    svg.line({0, 0}, {50, 17});
    const Point tri[] = {{0, 0}, {30, 5}, {INT32_MAX, INT32_MIN}};
    svg.pen.width = 3;
    svg.polygon(tri);
    svg.rectanglePolygon(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    const std::string doc = svg.document();
    EXPECT_TRUE(wellFormed(doc)) << doc;
    EXPECT_NE(doc.find("&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt; \xe2\x82\xac\xc3\xa9"),
              std::string::npos);
    EXPECT_NE(doc.find(R"(fill="#FF0000")"), std::string::npos);  // red is the low byte
    EXPECT_NE(doc.find(R"(<rect x="1" y="1" width="1" height="1" fill="#000000"/>)"),
              std::string::npos);
    EXPECT_NE(doc.find("<ellipse"), std::string::npos);
    EXPECT_NE(doc.find("<polygon"), std::string::npos);
    EXPECT_NE(doc.find("<text"), std::string::npos);
}

// The rectangles of the vector output cover the raster's pixels, whatever pen and brush.
TEST(Svg, RectanglesCoverTheRasterPixels) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<std::int32_t> coord(-5, 25);
    const std::regex rect(
        R"re(<rect x="(\d+)" y="(\d+)" width="(\d+)" height="(\d+)" fill="#(\w+)")re");
    for (int i = 0; i < 300; ++i) {
        Bitmap raster(20, 20);
        SvgCanvas svg(20, 20);
        const std::int32_t x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        for (Canvas* c : {static_cast<Canvas*>(&raster.canvas()), static_cast<Canvas*>(&svg)}) {
            c->pen = {1 + 2 * (i % 3 == 0), i % 2 == 0 ? 0x000000u : 0x0000FFu};
            c->brush = {0x00FF00, i % 5 == 0 ? BrushStyle::Clear : BrushStyle::Solid};
            c->rectanglePolygon(x0, y0, x1, y1);
        }
        Bitmap painted(20, 20);
        const std::string doc = svg.document();
        for (std::sregex_iterator it(doc.begin(), doc.end(), rect), end; it != end; ++it) {
            const auto& m = *it;
            const std::uint32_t rgb = std::stoul(m[5].str(), nullptr, 16);
            const TColor colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
            for (int y = std::stoi(m[2].str()); y < std::stoi(m[2].str()) + std::stoi(m[4].str());
                 ++y) {
                for (int x = std::stoi(m[1].str());
                     x < std::stoi(m[1].str()) + std::stoi(m[3].str()); ++x) {
                    painted.pixels()[static_cast<std::size_t>(y * 20 + x)] = colour;
                }
            }
        }
        ASSERT_TRUE(test::samePixels(raster, painted)) << x0 << "," << y0 << " " << x1 << "," << y1;
    }
}

}  // namespace
}  // namespace qv
