// FreeType and fontconfig, loaded on the first text drawn (fontconfig on the first font that is
// not built in): a run without text starts without them. The headers give the types; the
// functions come through one table per library.
#pragma once

#include <string>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

namespace qv::canvas {

#define QV_FREETYPE_FUNCTIONS(X) \
    X(Init_FreeType)             \
    X(New_Memory_Face)           \
    X(New_Face)                  \
    X(Done_Face)                 \
    X(Get_Sfnt_Table)            \
    X(Set_Pixel_Sizes)           \
    X(Load_Char)                 \
    X(GlyphSlot_Embolden)        \
    X(GlyphSlot_Oblique)         \
    X(Render_Glyph)

#define QV_FONTCONFIG_FUNCTIONS(X) \
    X(Init)                        \
    X(ConfigGetCurrent)            \
    X(PatternCreate)               \
    X(PatternDestroy)              \
    X(PatternAddString)            \
    X(PatternAddInteger)           \
    X(PatternAddBool)              \
    X(PatternGetString)            \
    X(PatternGetInteger)           \
    X(ConfigSubstitute)            \
    X(DefaultSubstitute)           \
    X(FontMatch)

// FT_<name> as the member <name>.
struct FreetypeApi {
#define QV_FREETYPE_SLOT(name) decltype(&::FT_##name) name = nullptr;
    QV_FREETYPE_FUNCTIONS(QV_FREETYPE_SLOT)
#undef QV_FREETYPE_SLOT
};

// Fc<name> as the member <name>.
struct FontconfigApi {
#define QV_FONTCONFIG_SLOT(name) decltype(&::Fc##name) name = nullptr;
    QV_FONTCONFIG_FUNCTIONS(QV_FONTCONFIG_SLOT)
#undef QV_FONTCONFIG_SLOT
};

// Loaded on the first call; null when the library or one of its functions is missing (text is
// then not drawn, or a named font falls back to the built-in face).
const FreetypeApi* freetypeApi();
// Why FreeType could not be loaded, as the loader says it; empty when it was.
std::string freetypeError();
const FontconfigApi* fontconfigApi();

}  // namespace qv::canvas
