#include "bench_common.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/png.h"
#include "quorvantix/raster.h"

namespace qvbench {
namespace {

std::string& folder() {
    static std::string path;
    return path;
}

template <class Raster>
void paintInto(const OurSymbol& s, Raster& bitmap) {
    if (s.beforePaint) s.beforePaint();
    s.control->paintBarcode(bitmap.canvas());
}

}  // namespace

std::string cycled(const std::string& pattern, std::size_t n) {
    std::string out;
    while (out.size() < n) out += pattern;
    out.resize(n);
    return out;
}

std::string outputPath(const std::string& file) {
    if (folder().empty()) {
        namespace fs = std::filesystem;
        const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
        folder() = (base / ("qv-bench-" + std::to_string(::getpid()))).string();
        fs::create_directories(folder());
    }
    return folder() + "/" + file;
}

void removeOutputFolder() {
    if (!folder().empty()) std::filesystem::remove_all(folder());
}

void registerOurs(const OurSymbol& s) {
    const std::int64_t pixels = std::int64_t{s.image.width} * s.image.height;
    benchmark::RegisterBenchmark((s.name + "/encode/quorvantix").c_str(),
                                 [s](benchmark::State& state) {
                                     for (auto _ : state) s.encodeOnly();
                                 });
    benchmark::RegisterBenchmark((s.name + "/draw/quorvantix").c_str(),
                                 [s, pixels](benchmark::State& state) {
                                     for (auto _ : state) {
                                         qv::Bitmap bitmap(s.image.width, s.image.height);
                                         paintInto(s, bitmap);
                                         benchmark::DoNotOptimize(bitmap.pixels().data());
                                         benchmark::ClobberMemory();
                                     }
                                     state.counters["pixels"] = static_cast<double>(pixels);
                                 });
    benchmark::RegisterBenchmark(
        (s.name + "/png/quorvantix").c_str(), [s](benchmark::State& state) {
            const std::string path = outputPath(s.name + "-quorvantix.png");
            for (auto _ : state) {
                qv::Bitmap bitmap(s.image.width, s.image.height);
                paintInto(s, bitmap);
                const auto png = qv::encodePng(bitmap);
                std::string error;
                if (!qv::writeFileAtomically(path, png.data(), png.size(), &error)) {
                    state.SkipWithError(error.c_str());
                    break;
                }
            }
        });
    // The image output path: the 8-bit raster, and the PNG from it kept in memory.
    benchmark::RegisterBenchmark((s.name + "/draw8/quorvantix").c_str(),
                                 [s, pixels](benchmark::State& state) {
                                     for (auto _ : state) {
                                         qv::IndexedBitmap bitmap(s.image.width, s.image.height);
                                         paintInto(s, bitmap);
                                         benchmark::DoNotOptimize(bitmap.indices().data());
                                         benchmark::ClobberMemory();
                                     }
                                     state.counters["pixels"] = static_cast<double>(pixels);
                                 });
    benchmark::RegisterBenchmark((s.name + "/pngmem/quorvantix").c_str(),
                                 [s](benchmark::State& state) {
                                     for (auto _ : state) {
                                         qv::IndexedBitmap bitmap(s.image.width, s.image.height);
                                         paintInto(s, bitmap);
                                         if (!bitmap.exact()) {
                                             state.SkipWithError("more than 256 colours");
                                             break;
                                         }
                                         auto png = qv::encodePng(bitmap);
                                         benchmark::DoNotOptimize(png.data());
                                     }
                                 });
    benchmark::RegisterBenchmark(
        (s.name + "/floor/memset").c_str(), [pixels](benchmark::State& state) {
            std::vector<std::uint32_t> buffer(static_cast<std::size_t>(pixels));
            for (auto _ : state) {
                std::memset(buffer.data(), 0xFF, buffer.size() * sizeof(std::uint32_t));
                benchmark::DoNotOptimize(buffer.data());
                benchmark::ClobberMemory();
            }
            state.counters["pixels"] = static_cast<double>(pixels);
        });
}

}  // namespace qvbench
