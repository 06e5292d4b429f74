#include "canvas/font_libraries.h"

#include "canvas/shared_library.h"

namespace qv::canvas {
namespace {

void resolveFreetype(SharedLibrary& library, FreetypeApi& api) {
#define QV_FREETYPE_RESOLVE(name) library.resolve(api.name, "FT_" #name);
    QV_FREETYPE_FUNCTIONS(QV_FREETYPE_RESOLVE)
#undef QV_FREETYPE_RESOLVE
}

void resolveFontconfig(SharedLibrary& library, FontconfigApi& api) {
#define QV_FONTCONFIG_RESOLVE(name) library.resolve(api.name, "Fc" #name);
    QV_FONTCONFIG_FUNCTIONS(QV_FONTCONFIG_RESOLVE)
#undef QV_FONTCONFIG_RESOLVE
}

}  // namespace

const FreetypeApi* freetypeApi() {
    return functionTable("libfreetype.so.6", &resolveFreetype);
}

std::string freetypeError() {
    std::string error;
    functionTable("libfreetype.so.6", &resolveFreetype, &error);
    return error;
}

const FontconfigApi* fontconfigApi() {
    return functionTable("libfontconfig.so.1", &resolveFontconfig);
}

}  // namespace qv::canvas
