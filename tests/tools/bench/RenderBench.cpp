// Final-quality render of a 6000 x 4000 24-bit image through a typical keystone correction, timed against
// OpenCV's warpPerspective (INTER_CUBIC) with the same homography, single-threaded, in the same run; then
// the same with the lens correction on. The three renders take turns, so that every round meets the same load
// of the machine; prints the medians of the times and of the rounds' ratios ours / OpenCV, by the clock on the
// wall and by the thread's processor time (which a loaded machine disturbs less).
//
//   bench_RenderBench [rounds (default 5)]
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/core/TKelvoPixelBuffer.h"
#include "tests/tools/winbench/RenderScene.h"

#if __has_include(<opencv2/imgproc.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define HAVE_OPENCV 1
#else
#define HAVE_OPENCV 0
#endif

namespace {
using namespace renderscene;

struct TTime {
    double Wall = 0;
    double Cpu = 0;
};

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec * 1e-9;
}

TTime Time(const std::function<void()>& f) {
    const double c0 = CpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    f();
    const auto t1 = std::chrono::steady_clock::now();
    return TTime{std::chrono::duration<double>(t1 - t0).count(), CpuSeconds() - c0};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

struct TSeries {
    std::vector<double> Wall, Cpu;
    void Add(const TTime& t) {
        Wall.push_back(t.Wall);
        Cpu.push_back(t.Cpu);
    }
    void Print(const char* name) const {
        const double w = Median(Wall), c = Median(Cpu);
        std::printf("%-40s %.3f s wall (%.1f ns/pixel), %.3f s processor (%.1f ns/pixel)\n", name, w,
                    w * 1e9 / (double(W) * H), c, c * 1e9 / (double(W) * H));
    }
};

std::vector<double> Ratios(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(a[i] / b[i]);
    return r;
}
}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    TKelvoPixelBuffer source(KelvoFormatBGR24, MakeRect(0, 0, W, H));
    TKelvoPixelBuffer target(KelvoFormatBGR24, MakeRect(0, 0, W, H));
    Fill(source);
    TKelvoPerspectiveMapping plain = KeystoneMapping();
    TKelvoPerspectiveMapping lens = KeystoneMapping();
    lens.LensOn = true;
    lens.LensK = LensK;
    auto render = [&](TKelvoPerspectiveMapping& m) {
        return Time([&] {
            RenderCorrection(m, source, target, source.GetBounds(), nullptr);
            benchmark::DoNotOptimize(target.Bits());
        });
    };

#if HAVE_OPENCV
    cv::setNumThreads(1);
    cv::Mat src(H, W, CV_8UC3);
    for (int y = 0; y < H; ++y) std::copy(source.Row(y), source.Row(y) + 3 * W, src.ptr<Byte>(y));
    cv::Mat dst(H, W, CV_8UC3);
    // The same map, output to source: x' = (e(Q+1)x + (M12 - M13 Q/H)y + M13(Q+1)) / (-(Q/H)y + Q + 1),
    // y' = y / (-(Q/H)y + Q + 1).
    const TTransformRecord r = KeystoneRecord();
    const double q = r.Q;
    cv::Matx33d hom(e * (q + 1), r.M12 - r.M13 * q / H, r.M13 * (q + 1), 0, 1, 0, 0, -q / H, q + 1);
    auto warp = [&] {
        return Time([&] {
            cv::warpPerspective(src, dst, hom, dst.size(), cv::INTER_CUBIC | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT,
                                cv::Scalar(255, 255, 255));
            benchmark::DoNotOptimize(dst.data);
        });
    };
#endif

    TSeries ours, oursLens, theirs;
    std::uint64_t hash = 0, hashLens = 0;
    for (int i = 0; i < rounds; ++i) {
        ours.Add(render(plain));
        hash = Hash(target);
        oursLens.Add(render(lens));
        hashLens = Hash(target);
#if HAVE_OPENCV
        theirs.Add(warp());
#endif
    }
    std::printf("output hashes: %016llx %016llx\n", static_cast<unsigned long long>(hash),
                static_cast<unsigned long long>(hashLens));
    ours.Print("ours, keystone, final quality:");
    oursLens.Print("ours, keystone + lens, final quality:");

#if HAVE_OPENCV
    theirs.Print("OpenCV warpPerspective INTER_CUBIC:");
    // Both images should agree up to interpolation details: mean absolute difference of the bytes.
    RenderCorrection(plain, source, target, source.GetBounds(), nullptr);
    double diff = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < 3 * W; ++x) diff += std::abs(int(target.Row(y)[x]) - int(dst.ptr<Byte>(y)[x]));
    std::printf("mean absolute byte difference ours/OpenCV: %.3f\n", diff / (3.0 * W * H));
    std::printf("ratio ours/OpenCV without lens: %.2f wall, %.2f processor (medians of %d rounds)\n",
                Median(Ratios(ours.Wall, theirs.Wall)), Median(Ratios(ours.Cpu, theirs.Cpu)), rounds);
    std::printf("ratio ours/OpenCV with lens:    %.2f wall, %.2f processor\n",
                Median(Ratios(oursLens.Wall, theirs.Wall)), Median(Ratios(oursLens.Cpu, theirs.Cpu)));
#else
    std::printf("OpenCV not found: no ratios (VANTOREL_WITH_BENCH=1 scripts/setup.sh installs it)\n");
#endif
    return 0;
}
