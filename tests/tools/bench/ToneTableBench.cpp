// Applies a tone table to a 6000 x 4000 24-bit image, into a second image of the same size as the brightness
// and contrast tool does, and compares the time with a plain byte-by-byte look-up loop over the same bytes in
// the same run. The tool needs the whole image done in under 50 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/bench/BenchRatios.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "tools/core/BrightnessContrast.h"

namespace {

TKelvoPixelBuffer& Image(int which) {
    static std::unique_ptr<TKelvoPixelBuffer> images[2];
    if (!images[which]) {
        images[which] = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, 6000, 4000));
        TKelvoPixelBuffer& b = *images[which];
        for (std::int64_t i = 0; i < b.MemorySize(); ++i) b.Bits()[i] = Byte(i * 7 + (i >> 12));
    }
    return *images[which];
}

const TKelvoToneTable& Table() {
    static const TKelvoToneTable table = ToneTableOfLine(BrightnessContrastLine(20, 40));
    return table;
}

void PlainLookup(benchmark::State& state) {
    const TKelvoPixelBuffer& src = Image(0);
    TKelvoPixelBuffer& dst = Image(1);
    std::uint8_t lut[256];
    for (int i = 0; i < 256; ++i) lut[i] = std::uint8_t(Table()[std::size_t(i)]);
    const std::int64_t n = src.MemorySize();
    for (auto _ : state) {
        const Byte* s = src.Bits();
        Byte* d = dst.Bits();
        for (std::int64_t i = 0; i < n; ++i) d[i] = lut[s[i]];
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
}

void ApplyTable(benchmark::State& state) {
    for (auto _ : state) {
        ApplyToneTable(Image(0), Image(1), Table());
        benchmark::DoNotOptimize(Image(1).Bits());
        benchmark::ClobberMemory();
    }
}

// Also keeps each run's processor time: on a machine busy with other work the wall clock counts the time the
// benchmark waited for a processor.
class TToneReporter : public RatioReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.iterations > 0) cpu[r.benchmark_name()] = r.GetAdjustedCPUTime();
        RatioReporter::ReportRuns(runs);
    }
    std::map<std::string, double> cpu;
};

BENCHMARK(PlainLookup)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ApplyTable)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TToneReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("tone table vs plain lookup", "ApplyTable/real_time", "PlainLookup/real_time");
    // The reporter keeps each run's times in the unit the benchmark reports, milliseconds here.
    const auto wall = reporter.seconds.find("ApplyTable/real_time");
    const auto cpu = reporter.cpu.find("ApplyTable/real_time");
    if (wall != reporter.seconds.end() && cpu != reporter.cpu.end())
        std::printf("%-28s %.1f ms, processor %.1f ms (limit 50 ms)\n", "tone table, 6000 x 4000", wall->second,
                    cpu->second);
    benchmark::Shutdown();
    return 0;
}
