// Turns a 6000 x 4000 24-bit image by a quarter and compares the time with a plain copy of the same bytes
// into a new buffer.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "tests/app/bench/BenchRatios.h"
#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoPixelBuffer.h"

namespace {

const TKelvoPixelBuffer& Source() {
    static std::unique_ptr<TKelvoPixelBuffer> image = [] {
        auto b = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, 6000, 4000));
        for (int i = 0; i < b->Stride() * b->Height(); ++i) b->Bits()[i] = Byte(i * 7);
        return b;
    }();
    return *image;
}

void Copy(benchmark::State& state) {
    const TKelvoPixelBuffer& src = Source();
    for (auto _ : state) {
        TKelvoPixelBuffer dst(KelvoFormatBGR24, src.GetBounds());
        std::memcpy(dst.Bits(), src.Bits(), std::size_t(src.Stride()) * std::size_t(src.Height()));
        benchmark::DoNotOptimize(dst.Bits());
    }
}

void RotateRight(benchmark::State& state) {
    for (auto _ : state) {
        TKelvoPixelBuffer dst;
        RotatePixelsRight(Source(), dst);
        benchmark::DoNotOptimize(dst.Bits());
    }
}

void RotateLeft(benchmark::State& state) {
    for (auto _ : state) {
        TKelvoPixelBuffer dst;
        RotatePixelsLeft(Source(), dst);
        benchmark::DoNotOptimize(dst.Bits());
    }
}

void FlipHorizontal(benchmark::State& state) {
    for (auto _ : state) {
        TKelvoPixelBuffer dst;
        FlipPixelsHorizontal(Source(), dst);
        benchmark::DoNotOptimize(dst.Bits());
    }
}

BENCHMARK(Copy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RotateRight)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RotateLeft)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FlipHorizontal)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("rotate right vs copy", "RotateRight/real_time", "Copy/real_time");
    reporter.PrintRatio("rotate left vs copy", "RotateLeft/real_time", "Copy/real_time");
    reporter.PrintRatio("flip horizontal vs copy", "FlipHorizontal/real_time", "Copy/real_time");
    benchmark::Shutdown();
    return 0;
}
