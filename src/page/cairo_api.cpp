#include "page/cairo_api.h"

#include "canvas/shared_library.h"

namespace qv::page {

const CairoApi* cairoApi(std::string* error) {
    struct Loaded {
        CairoApi api;
        std::string error;
    };
    static const Loaded loaded = [] {
        Loaded out;
        canvas::SharedLibrary library(kCairoLibrary);
#define QV_CAIRO_RESOLVE(name) library.resolve(out.api.name, "cairo_" #name);
        QV_CAIRO_FUNCTIONS(QV_CAIRO_RESOLVE)
#undef QV_CAIRO_RESOLVE
        if (!library.ok())
            out.error =
                std::string("PDF and EPS output need ") + kCairoLibrary + ": " + library.error();
        return out;
    }();
    if (!loaded.error.empty()) {
        if (error) *error = loaded.error;
        return nullptr;
    }
    return &loaded.api;
}

}  // namespace qv::page
