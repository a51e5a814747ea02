// Turns a 6000 x 4000 24-bit image by a quarter and mirrors it, and compares the time with a plain copy of the
// same bytes into a new buffer, two ways (the argument):
// 0: as the program runs, every new buffer fresh memory from the system. Its first touches then cost each
//    operation the same, and on a virtual machine they are most of the time;
// 1: the allocator keeps freed memory and hands it out again (zero-filled), so the times are the operations'
//    own work beside the same zero fill.
#include <malloc.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

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

// With keep set, large blocks come from the heap and freed ones stay there for the next round; glibc's
// defaults are put back afterwards.
class TMemoryReuse {
public:
    explicit TMemoryReuse(bool keep) : keep_(keep) {
        if (!keep_) return;
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    ~TMemoryReuse() {
        if (!keep_) return;
        mallopt(M_MMAP_MAX, 65536);
        mallopt(M_TRIM_THRESHOLD, 128 * 1024);
        malloc_trim(0);
    }

private:
    bool keep_;
};

bool CopyPixels(const TKelvoPixels& s, TKelvoPixelBuffer& d) {
    TKelvoPixelBuffer out(KelvoFormatBGR24, s.GetBounds());
    std::memcpy(out.Bits(), s.Bits(), std::size_t(s.Stride()) * std::size_t(s.Height()));
    d.Swap(out);
    return true;
}

template <bool (*Operation)(const TKelvoPixels&, TKelvoPixelBuffer&)>
void Run(benchmark::State& state) {
    const TKelvoPixelBuffer& src = Source();
    const TMemoryReuse reuse(state.range(0) != 0);
    for (auto _ : state) {
        TKelvoPixelBuffer dst;
        Operation(src, dst);
        benchmark::DoNotOptimize(dst.Bits());
    }
}

BENCHMARK(Run<CopyPixels>)->Name("Copy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(Run<RotatePixelsRight>)
    ->Name("RotateRight")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);
BENCHMARK(Run<RotatePixelsLeft>)
    ->Name("RotateLeft")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);
BENCHMARK(Run<FlipPixelsHorizontal>)
    ->Name("FlipHorizontal")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);
BENCHMARK(Run<FlipPixelsVertical>)
    ->Name("FlipVertical")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* mode : {"0", "1"}) {
        const std::string suffix = std::string("/") + mode + "/min_time:1.000/real_time";
        const std::string how = mode[0] == '0' ? " (fresh)" : " (reused)";
        reporter.PrintRatio("rotate right vs copy" + how, "RotateRight" + suffix, "Copy" + suffix);
        reporter.PrintRatio("rotate left vs copy" + how, "RotateLeft" + suffix, "Copy" + suffix);
        reporter.PrintRatio("flip horizontal vs copy" + how, "FlipHorizontal" + suffix, "Copy" + suffix);
        reporter.PrintRatio("flip vertical vs copy" + how, "FlipVertical" + suffix, "Copy" + suffix);
    }
    benchmark::Shutdown();
    return 0;
}
