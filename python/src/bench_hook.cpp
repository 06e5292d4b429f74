#include "bench_hook.h"

#include <pybind11/pybind11.h>

#include <chrono>

#include "quorvantix/barcode1d.h"
#include "quorvantix/render.h"

namespace qvpy {

double nativeEan13Png(int repeat) {
    pybind11::gil_scoped_release nogil;
    qv::TBarcode1D ean;
    ean.barType = qv::TSymbology::EAN13;
    ean.Code = "590123412345";
    std::size_t bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i)
        bytes += qv::renderImage(ean, qv::ImageFormat::Png).bytes.size();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return bytes > 0 ? took.count() : 0.0;
}

}  // namespace qvpy
