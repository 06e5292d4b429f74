# The prebuilt glyphs of the built-in face (src/canvas/prebuilt_fonts.h): a small program made
# of the font engine's own sources renders the sizes below, and its table is compiled into the
# canvas. Heights are cell heights: the default Font and twice it (--scale 2), regular and bold.
set(QV_PREBUILT_FONT_HEIGHTS 10 20)
add_executable(qv_glyph_table
    ${PROJECT_SOURCE_DIR}/tools/glyph_table/main.cpp
    ${PROJECT_SOURCE_DIR}/tools/glyph_table/no_prebuilt_fonts.cpp
    ${PROJECT_SOURCE_DIR}/src/canvas/builtin_font.cpp
    ${PROJECT_SOURCE_DIR}/src/canvas/font_engine.cpp
    ${PROJECT_SOURCE_DIR}/src/canvas/font_libraries.cpp
    ${PROJECT_SOURCE_DIR}/src/canvas/shared_library.cpp)
target_include_directories(qv_glyph_table PRIVATE ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(qv_glyph_table PRIVATE QV_BUILTIN_SANS="${QV_BUILTIN_SANS}"
                                                  QV_BUILTIN_SANS_BOLD="${QV_BUILTIN_SANS_BOLD}")
target_link_libraries(qv_glyph_table PRIVATE freetype_headers fontconfig_headers Threads::Threads
                                             ${QV_DL_LIBS})
set(QV_PREBUILT_FONTS ${PROJECT_BINARY_DIR}/generated/prebuilt_fonts.cpp)
add_custom_command(OUTPUT ${QV_PREBUILT_FONTS}
    COMMAND qv_glyph_table ${QV_PREBUILT_FONTS} ${QV_PREBUILT_FONT_HEIGHTS}
    DEPENDS qv_glyph_table
    COMMENT "Rendering the built-in face's prebuilt glyphs"
    VERBATIM)
target_sources(qv_canvas PRIVATE ${QV_PREBUILT_FONTS})
