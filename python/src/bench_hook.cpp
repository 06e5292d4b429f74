#include "bench_hook.h"

#include <pybind11/pybind11.h>

#include <time.h>

#include "quorvantix/barcode1d.h"
#include "quorvantix/host.h"
#include "quorvantix/render.h"

namespace qvpy {
namespace {

// CPU time of this thread: what others running on the machine do not add to.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

double nativeEan13Png(int repeat, bool throughHost) {
    pybind11::gil_scoped_release nogil;
    qv::TBarcode1D ean;
    ean.barType = qv::TSymbology::EAN13;
    ean.Code = "590123412345";
    qv::SymbolRequest request;
    request.control = "barcode1d";
    request.properties = {{"barType", "EAN13"}, {"Code", "590123412345"}};
    std::size_t bytes = 0;
    const double start = threadSeconds();
    for (int i = 0; i < repeat; ++i)
        bytes += throughHost ? qv::makeSymbol(request, qv::ImageFormat::Png).images[0].bytes.size()
                             : qv::renderImage(ean, qv::ImageFormat::Png).bytes.size();
    const double took = threadSeconds() - start;
    return bytes > 0 ? took : 0.0;
}

}  // namespace qvpy
