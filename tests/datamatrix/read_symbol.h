// Renders a Data Matrix control onto a bitmap that fits the symbol and reads it back with the
// independent reader, with what it tells beyond the bytes (GS1, ECI, macros, reader programming).
#pragma once

#include <memory>
#include <string>

#include "quorvantix/datamatrix.h"
#include "quorvantix/raster.h"

namespace qv::test {

struct DatamatrixRead {
    bool ok = false;
    std::string bytes;        // content, one char per byte
    std::string bytesEci;     // content with its ECI designators
    std::string symbologyId;  // "]d1", "]d2" (GS1), ...
    std::string contentType;  // "GS1", "Text", "Binary", ...
    bool hasEci = false;
    bool readerInit = false;
    int sequenceIndex = -1;
    int sequenceSize = -1;
    std::string sequenceId;
};

// Paints the control (building it when rebuild is set) with PixelsDot 3 and a quiet zone, on a
// canvas whose pen is white.
std::unique_ptr<Bitmap> renderSymbol(TDatamatrix& dm);

DatamatrixRead readSymbol(const Bitmap& bitmap);

}  // namespace qv::test
