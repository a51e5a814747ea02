// Resizes a 6000 x 4000 24-bit image to 50 %, 25 % and 200 % with our Lanczos resampler and with OpenCV's
// Lanczos resize (both on one thread), and prints the time ratio ours/OpenCV for each scale, two ways:
// - a new output for every call, as the program resizes (a fresh zero-filled buffer) and as a caller of
//   cv::resize with an empty matrix does. Both sides then pay the same first touches of fresh memory; the
//   "faults" column shows them per call (at 200 % they are most of the time on a virtual machine);
// - one output reused across calls, the resize's own work alone.
#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <sys/resource.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/bench/BenchRatios.h"
#include "app/core/KelvoResample.h"
#include "app/core/TKelvoPixelBuffer.h"

namespace {

constexpr int SourceWidth = 6000, SourceHeight = 4000;

// A photo-like test image: smooth gradients with some texture, the same for both resizers.
const TKelvoPixelBuffer& Source() {
    static std::unique_ptr<TKelvoPixelBuffer> image = [] {
        auto b = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, SourceWidth, SourceHeight));
        std::uint32_t seed = 12345;
        for (int y = 0; y < SourceHeight; ++y) {
            Byte* row = b->Row(y);
            for (int x = 0; x < SourceWidth; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = int(seed >> 28);
                row[3 * x + 0] = Byte((x / 24 + noise) & 0xFF);
                row[3 * x + 1] = Byte((y / 16 + noise) & 0xFF);
                row[3 * x + 2] = Byte(((x + y) / 40) & 0xFF);
            }
        }
        return b;
    }();
    return *image;
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Page faults per call while the loop ran.
class TFaultCount {
public:
    explicit TFaultCount(benchmark::State& state) : state_(state), start_(MinorFaults()) {}
    ~TFaultCount() {
        state_.counters["faults"] =
            benchmark::Counter(double(MinorFaults() - start_), benchmark::Counter::kAvgIterations);
    }

private:
    benchmark::State& state_;
    long start_;
};

cv::Mat SourceMat() {
    const TKelvoPixelBuffer& s = Source();
    return cv::Mat(s.Height(), s.Width(), CV_8UC3, s.Bits(), std::size_t(s.Stride()));
}

// range(0): the scale in percent; range(1): 0 for a new output every call, 1 for one output reused (its pages
// touched by one call before the timing).
void Ours(benchmark::State& state) {
    const int percent = int(state.range(0));
    const bool reuse = state.range(1) != 0;
    const TKelvoPixelBuffer& src = Source();
    const TKelvoRect destRect = MakeRect(0, 0, SourceWidth * percent / 100, SourceHeight * percent / 100);
    TLanczosResampler kernel;
    TKelvoPixelBuffer kept(KelvoFormatBGR24, reuse ? destRect : TKelvoRect{});
    if (reuse) Resample(kept, destRect, destRect, kernel, src.GetBounds(), src);
    const TFaultCount faults(state);
    for (auto _ : state) {
        TKelvoPixelBuffer fresh(KelvoFormatBGR24, reuse ? TKelvoRect{} : destRect);
        TKelvoPixelBuffer& dst = reuse ? kept : fresh;
        Resample(dst, destRect, destRect, kernel, src.GetBounds(), src);
        benchmark::DoNotOptimize(dst.Bits());
    }
}

void OpenCV(benchmark::State& state) {
    const int percent = int(state.range(0));
    const bool reuse = state.range(1) != 0;
    cv::setNumThreads(1);
    const cv::Mat src = SourceMat();
    const cv::Size size(SourceWidth * percent / 100, SourceHeight * percent / 100);
    cv::Mat kept;
    if (reuse) cv::resize(src, kept, size, 0, 0, cv::INTER_LANCZOS4);
    const TFaultCount faults(state);
    for (auto _ : state) {
        cv::Mat fresh;
        cv::Mat& dst = reuse ? kept : fresh;
        cv::resize(src, dst, size, 0, 0, cv::INTER_LANCZOS4);
        benchmark::DoNotOptimize(dst.data);
    }
}

BENCHMARK(Ours)->ArgsProduct({{50, 25, 200}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(OpenCV)->ArgsProduct({{50, 25, 200}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    // Three runs of each, in random order, and the ratios of the medians: a machine whose load changes while the
    // benchmark runs then weighs on both sides alike. Flags given on the command line come after and win.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=3", interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, {repetitions, interleave});
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* mode : {"0", "1"})
        for (const char* p : {"50", "25", "200"}) {
            const std::string run = std::string("/") + p + "/" + mode + "/min_time:2.000/real_time_median";
            reporter.PrintRatio(std::string("resize to ") + p + (mode[0] == '0' ? " %" : " %, reused"), "Ours" + run,
                                "OpenCV" + run);
        }
    benchmark::Shutdown();
    return 0;
}
