// The part of cairo's C API that the page writer uses, loaded on the first PDF or EPS file: cairo
// and what it pulls in (pixman, X11 client libraries) would cost every other run its start-up.
// The headers give the types; the functions come through one table.
#pragma once

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>

#include <string>

namespace qv::page {

#define QV_CAIRO_FUNCTIONS(X)        \
    X(create)                        \
    X(destroy)                       \
    X(scale)                         \
    X(translate)                     \
    X(rotate)                        \
    X(set_source_rgb)                \
    X(rectangle)                     \
    X(fill)                          \
    X(show_page)                     \
    X(select_font_face)              \
    X(set_font_size)                 \
    X(get_scaled_font)               \
    X(scaled_font_text_to_glyphs)    \
    X(show_text_glyphs)              \
    X(glyph_free)                    \
    X(text_cluster_free)             \
    X(pdf_surface_create_for_stream) \
    X(pdf_surface_set_metadata)      \
    X(pdf_surface_set_size)          \
    X(ps_surface_create_for_stream)  \
    X(ps_surface_set_eps)            \
    X(surface_finish)                \
    X(surface_status)                \
    X(surface_destroy)               \
    X(status_to_string)

// cairo_<name> as the member <name>.
struct CairoApi {
#define QV_CAIRO_SLOT(name) decltype(&::cairo_##name) name = nullptr;
    QV_CAIRO_FUNCTIONS(QV_CAIRO_SLOT)
#undef QV_CAIRO_SLOT
};

inline constexpr const char* kCairoLibrary = "libcairo.so.2";

// cairo, loaded on the first call; null, with the reason in *error, when the library or one of
// its functions is missing.
const CairoApi* cairoApi(std::string* error);

}  // namespace qv::page
