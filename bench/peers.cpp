// The peers, through their own public interfaces, as a user of each would call them.
#include <ZXing/BarcodeFormat.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/CharacterSet.h>
#include <ZXing/MultiFormatWriter.h>
#include <benchmark/benchmark.h>
#include <zint.h>

#include <cstring>
#include <memory>
#include <string>

#include "bench_common.h"

namespace qvbench {
namespace {

struct ZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using ZintPtr = std::unique_ptr<zint_symbol, ZintDeleter>;

ZintPtr makeZint(const ZintSymbol& z) {
    ZintPtr s(ZBarcode_Create());
    s->symbology = z.symbology;
    s->scale = z.scale;
    s->show_hrt = z.text ? 1 : 0;
    s->option_1 = z.option1;
    s->option_2 = z.option2;
    s->input_mode = z.inputMode;
    if (z.height > 0) s->height = static_cast<float>(z.height);
    return s;
}

const unsigned char* bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

// Runs one zint call per iteration on a symbol cleared before each, as a host reusing it would.
template <class Call>
void runZint(benchmark::State& state, const ZintSymbol& z, Call call) {
    auto s = makeZint(z);
    const int first = call(s.get());
    if (first >= ZINT_ERROR) {
        state.SkipWithError(s->errtxt);
        return;
    }
    for (auto _ : state) {
        ZBarcode_Clear(s.get());
        benchmark::DoNotOptimize(call(s.get()));
    }
    if (s->bitmap != nullptr)
        state.counters["pixels"] = static_cast<double>(s->bitmap_width) * s->bitmap_height;
}

}  // namespace

void registerZint(const ZintSymbol& z) {
    const auto len = static_cast<int>(z.data.size());
    benchmark::RegisterBenchmark((z.name + "/encode/zint").c_str(), [z,
                                                                     len](benchmark::State& state) {
        runZint(state, z, [&](zint_symbol* s) { return ZBarcode_Encode(s, bytes(z.data), len); });
    });
    benchmark::RegisterBenchmark(
        (z.name + "/draw/zint").c_str(), [z, len](benchmark::State& state) {
            runZint(state, z, [&](zint_symbol* s) {
                return ZBarcode_Encode_and_Buffer(s, bytes(z.data), len, 0);
            });
        });
    benchmark::RegisterBenchmark((z.name + "/png/zint").c_str(), [z, len](benchmark::State& state) {
        const std::string path = outputPath(z.name + "-zint.png");
        runZint(state, z, [&](zint_symbol* s) {
            std::strncpy(s->outfile, path.c_str(), sizeof s->outfile - 1);
            return ZBarcode_Encode_and_Print(s, bytes(z.data), len, 0);
        });
    });
}

void registerZxing(const ZxingSymbol& x) {
    auto writer = [x] {
        ZXing::MultiFormatWriter w(x.format);
        w.setMargin(0);
        if (x.eccLevel >= 0) w.setEccLevel(x.eccLevel);
        if (x.latin1) w.setEncoding(ZXing::CharacterSet::ISO8859_1);
        return w;
    };
    benchmark::RegisterBenchmark((x.name + "/encode/zxing").c_str(),
                                 [x, writer](benchmark::State& state) {
                                     for (auto _ : state) {
                                         const auto w = writer();
                                         auto matrix = w.encode(x.data, 0, 0);
                                         benchmark::DoNotOptimize(&matrix);
                                     }
                                 });
    if (!x.draw) return;
    benchmark::RegisterBenchmark(
        (x.name + "/draw/zxing").c_str(), [x, writer](benchmark::State& state) {
            for (auto _ : state) {
                const auto w = writer();
                const auto matrix = w.encode(x.data, x.image.width, x.image.height);
                auto pixels = ZXing::ToMatrix<std::uint32_t>(matrix, 0xFF000000, 0xFFFFFFFF);
                benchmark::DoNotOptimize(pixels.data());
            }
        });
}

}  // namespace qvbench
