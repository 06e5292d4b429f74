// A program that just wants images: an EAN-13 as PNG bytes in memory, a Data Matrix as a file.
#include <cstdio>
#include <string>

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/render.h"

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "label.svg";

    qv::TBarcode1D ean;
    ean.barType = qv::TSymbology::EAN13;
    ean.Code = "590123412345";
    const qv::RenderedImage png = qv::renderImage(ean, qv::ImageFormat::Png);
    if (!png.ok() || png.bytes.size() < 8) {
        std::fprintf(stderr, "EAN-13: %s\n", png.error.c_str());
        return 1;
    }
    std::printf("EAN-13 %s: %d x %d pixels, %zu bytes of PNG\n", ean.codeText.c_str(),
                png.size.width, png.size.height, png.bytes.size());

    qv::TDatamatrix matrix;
    matrix.Code = "Quorvantix example";
    const qv::RenderedImage file = qv::renderToFile(matrix, path);
    if (!file.ok()) {
        std::fprintf(stderr, "Data Matrix: %s\n", file.error.c_str());
        return 1;
    }
    std::printf("Data Matrix: %d x %d pixels written to %s\n", file.size.width, file.size.height,
                path.c_str());
    return 0;
}
