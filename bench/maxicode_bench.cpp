// MaxiCode mode 4 with 60 characters, at the control's default size (25.5 mm at 200 dpi).
#include <benchmark/benchmark.h>
#include <zint.h>

#include <memory>

#include "bench_common.h"
#include "maxicode/assembly.h"
#include "quorvantix/maxicode.h"

namespace qvbench {

void registerMaxicode() {
    const std::string data = cycled("Quorvantix MaxiCode parcel 0042, route 7/B; ", 60);
    auto control = std::make_shared<qv::TMaxicode>();
    control->mode = 4;
    control->data = data;
    control->processTilde = false;
    const Image image{control->preferredWidth, control->preferredHeight};
    auto encodeOnly = [data] {
        const auto symbol = qv::maxicode::assembleSymbol({data, 4, {}, 1, 1, false});
        benchmark::DoNotOptimize(symbol.codewords.data());
    };
    registerOurs({"maxicode_60", control, encodeOnly, {}, image});
    // At scale 0.7 zint's MaxiCode image is 209 x 199 pixels, next to our 210 x 200.
    registerZint({.name = "maxicode_60",
                  .symbology = BARCODE_MAXICODE,
                  .data = data,
                  .scale = 0.7F,
                  .option1 = 4});
}

}  // namespace qvbench
