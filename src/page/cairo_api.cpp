#include "page/cairo_api.h"

#include "canvas/shared_library.h"

namespace qv::page {
namespace {

void resolveCairo(canvas::SharedLibrary& library, CairoApi& api) {
#define QV_CAIRO_RESOLVE(name) library.resolve(api.name, "cairo_" #name);
    QV_CAIRO_FUNCTIONS(QV_CAIRO_RESOLVE)
#undef QV_CAIRO_RESOLVE
}

}  // namespace

const CairoApi* cairoApi(std::string* error) {
    std::string why;
    const CairoApi* api = canvas::functionTable(kCairoLibrary, &resolveCairo, &why);
    if (api == nullptr && error)
        *error = std::string("PDF and EPS output need ") + kCairoLibrary + ": " + why;
    return api;
}

}  // namespace qv::page
