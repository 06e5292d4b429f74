// Writes the prebuilt glyph table (src/canvas/prebuilt_fonts.h) of the built-in face: each size
// rendered by the font engine itself, through FreeType, so that the table holds its very pixels.
//   qv_glyph_table OUT.cpp HEIGHT...   (every height regular and bold)
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/font_engine.h"

namespace {

struct Written {
    int height;
    bool bold;
    std::int32_t pixelSize, ascent, cellHeight;
    std::string name;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: qv_glyph_table OUT.cpp HEIGHT...\n";
        return 2;
    }
    std::ofstream out(argv[1]);
    out << "// Made by tools/glyph_table when the library is built; do not edit.\n"
           "#include \"canvas/prebuilt_fonts.h\"\n\n"
           "namespace qv::canvas {\nnamespace {\n\n";
    std::vector<Written> fonts;
    for (int i = 2; i < argc; ++i) {
        for (const bool bold : {false, true}) {
            qv::Font font;
            font.height = std::atoi(argv[i]);
            font.bold = bold;
            const auto sized = qv::canvas::renderedFont(font);
            std::ostringstream named;
            named << 'k' << font.height << (bold ? "Bold" : "");
            const std::string name = named.str();
            std::ostringstream spans, rows, glyphs;
            std::size_t spanCount = 0, rowCount = 0;
            for (int byte = 0; byte < 256; ++byte) {
                const auto& g = sized->glyph(static_cast<std::uint8_t>(byte));
                for (const auto& s : g.spans) spans << '{' << s.from << ',' << s.to << "},";
                for (const auto r : g.rowStart) rows << r << ',';
                glyphs << '{' << g.left << ',' << g.top << ',' << g.width << ',' << g.rows << ','
                       << g.advance << ',' << spanCount << ',' << g.spans.size() << ',' << rowCount
                       << ',' << g.rowStart.size() << "},\n";
                spanCount += g.spans.size();
                rowCount += g.rowStart.size();
            }
            // Never empty arrays: a font whose glyphs have no ink still gets one entry.
            out << "constexpr ShapeRow " << name << "Spans[] = {" << spans.str() << "{0,0}};\n"
                << "constexpr std::uint32_t " << name << "Rows[] = {" << rows.str() << "0};\n"
                << "constexpr PrebuiltGlyph " << name << "Glyphs[256] = {\n"
                << glyphs.str() << "};\n\n";
            fonts.push_back({font.height, bold, sized->pixelSize(), sized->ascent(),
                             sized->cellHeight(), name});
        }
    }
    out << "constexpr PrebuiltFont kFonts[] = {\n";
    for (const auto& f : fonts)
        out << "    {" << f.height << ", " << (f.bold ? "true" : "false") << ", " << f.pixelSize
            << ", " << f.ascent << ", " << f.cellHeight << ", " << f.name << "Glyphs, " << f.name
            << "Spans, " << f.name << "Rows},\n";
    out << "};\n\n}  // namespace\n\nstd::span<const PrebuiltFont> prebuiltFonts() {\n"
           "    return kFonts;\n}\n\n}  // namespace qv::canvas\n";
    out.close();
    return out ? 0 : 1;
}
