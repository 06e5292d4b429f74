#include <benchmark/benchmark.h>

#include "bench_common.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    qvbench::registerLinear();
    qvbench::registerDatamatrix();
    qvbench::registerPdf417();
    qvbench::registerMaxicode();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    qvbench::removeOutputFolder();
    return 0;
}
