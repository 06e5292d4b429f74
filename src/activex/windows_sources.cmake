# The sources of the portable modules that the Windows build compiles, listed by hand (paths
# below src/). What is left out needs POSIX, FreeType, fontconfig or libpng; there, text comes
# from GDI instead (src/canvas_gdi). A source of these modules in neither list stops the
# configuration, so that a new file is placed on purpose.
set(QV_WINDOWS_MODULES core canvas control barcode1d datamatrix pdf417 maxicode persistence)
set(QV_WINDOWS_SOURCES
    core/property.cpp
    core/text_conversions.cpp
    canvas/background_fill.cpp
    canvas/bitmap.cpp
    canvas/bounds.cpp
    canvas/canvas.cpp
    canvas/ellipse_shape.cpp
    canvas/indexed_bitmap.cpp
    canvas/raster_batches.cpp
    canvas/raster_canvas.cpp
    canvas/raster_shapes.cpp
    canvas/recording.cpp
    control/control.cpp
    barcode1d/canvas_sink.cpp
    barcode1d/code11_codabar_msi.cpp
    barcode1d/code128.cpp
    barcode1d/code39_93.cpp
    barcode1d/control.cpp
    barcode1d/ean_upc.cpp
    barcode1d/encoder_table.cpp
    barcode1d/left_out.cpp
    barcode1d/nominal_length.cpp
    barcode1d/postnet.cpp
    barcode1d/property_table.cpp
    barcode1d/run_row.cpp
    barcode1d/text_helpers.cpp
    barcode1d/text_layout.cpp
    barcode1d/two_of_five.cpp
    datamatrix/ascii.cpp
    datamatrix/automatic.cpp
    datamatrix/base256.cpp
    datamatrix/c40_text.cpp
    datamatrix/control.cpp
    datamatrix/encodation.cpp
    datamatrix/escapes.cpp
    datamatrix/placement.cpp
    datamatrix/property_table.cpp
    datamatrix/reed.cpp
    datamatrix/symbol_size.cpp
    pdf417/byte_compaction.cpp
    pdf417/control.cpp
    pdf417/error_correction.cpp
    pdf417/layout.cpp
    pdf417/macro.cpp
    pdf417/numeric_compaction.cpp
    pdf417/patterns.cpp
    pdf417/property_table.cpp
    pdf417/text_compaction.cpp
    maxicode/assembly.cpp
    maxicode/control.cpp
    maxicode/hexagon.cpp
    maxicode/layout.cpp
    maxicode/message.cpp
    maxicode/module_map.cpp
    maxicode/postal.cpp
    maxicode/property_table.cpp
    maxicode/reed6.cpp
    persistence/property_store.cpp
    persistence/saved_stream.cpp)
set(QV_LINUX_ONLY_SOURCES
    canvas/atomic_file.cpp
    canvas/builtin_font.cpp
    canvas/folder_sync.cpp
    canvas/font_engine.cpp
    canvas/font_libraries.cpp
    canvas/huffman_lengths.cpp
    canvas/png.cpp
    canvas/png_indexed.cpp
    canvas/row_deflate.cpp
    canvas/shared_library.cpp
    canvas/svg.cpp
    canvas/text_render.cpp)

function(qv_check_windows_sources root)
    foreach(module IN LISTS QV_WINDOWS_MODULES)
        file(GLOB srcs CONFIGURE_DEPENDS RELATIVE ${root}/src ${root}/src/${module}/*.cpp)
        foreach(src IN LISTS srcs)
            if(NOT src IN_LIST QV_WINDOWS_SOURCES AND NOT src IN_LIST QV_LINUX_ONLY_SOURCES)
                message(FATAL_ERROR "src/${src} is new: add it to QV_WINDOWS_SOURCES or "
                                    "QV_LINUX_ONLY_SOURCES in src/activex/windows_sources.cmake")
            endif()
        endforeach()
    endforeach()
endfunction()
