// The glyph table made at build time is the font engine's own FreeType rendering, glyph for
// glyph: default text drawn from it is the same pixels as rendered.
#include "canvas/prebuilt_fonts.h"

#include <gtest/gtest.h>

#include "canvas/font_engine.h"

namespace qv::canvas {
namespace {

TEST(PrebuiltFonts, EveryGlyphIsTheRenderedOne) {
    ASSERT_FALSE(prebuiltFonts().empty());
    for (const auto& entry : prebuiltFonts()) {
        Font font;
        font.height = entry.height;
        font.bold = entry.bold;
        SCOPED_TRACE(testing::Message()
                     << "height " << entry.height << (entry.bold ? " bold" : ""));
        const auto table = sizedFont(font);
        const auto rendered = renderedFont(font);
        ASSERT_NE(table, rendered);
        EXPECT_EQ(table->pixelSize(), rendered->pixelSize());
        EXPECT_EQ(table->ascent(), rendered->ascent());
        EXPECT_EQ(table->cellHeight(), rendered->cellHeight());
        for (int byte = 0; byte < 256; ++byte) {
            SCOPED_TRACE(byte);
            const Glyph& a = table->glyph(static_cast<std::uint8_t>(byte));
            const Glyph& b = rendered->glyph(static_cast<std::uint8_t>(byte));
            EXPECT_EQ(a.left, b.left);
            EXPECT_EQ(a.top, b.top);
            EXPECT_EQ(a.width, b.width);
            EXPECT_EQ(a.rows, b.rows);
            EXPECT_EQ(a.advance, b.advance);
            EXPECT_EQ(a.rowStart, b.rowStart);
            ASSERT_EQ(a.spans.size(), b.spans.size());
            for (std::size_t i = 0; i < a.spans.size(); ++i) {
                EXPECT_EQ(a.spans[i].from, b.spans[i].from);
                EXPECT_EQ(a.spans[i].to, b.spans[i].to);
            }
        }
    }
}

TEST(PrebuiltFonts, OnlyTheBuiltInFaceAtItsSizesComesFromTheTable) {
    struct Case {
        const char* name;
        std::int32_t height;
        bool italic;
        bool fromTable;
    };
    const Font defaults;
    const Case cases[] = {
        {defaults.name.c_str(), 10, false, true},  {"ms sans serif", 20, false, true},
        {defaults.name.c_str(), 11, false, false}, {defaults.name.c_str(), -10, false, false},
        {defaults.name.c_str(), 10, true, false},  {"DejaVu Sans", 10, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.name << " " << c.height << (c.italic ? " italic" : ""));
        Font font;
        font.name = c.name;
        font.height = c.height;
        font.italic = c.italic;
        EXPECT_EQ(sizedFont(font) != renderedFont(font), c.fromTable);
    }
}

}  // namespace
}  // namespace qv::canvas
