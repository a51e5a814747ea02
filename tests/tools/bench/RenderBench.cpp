// Final-quality render of a 6000 x 4000 24-bit image through a typical keystone correction, timed against
// OpenCV's warpPerspective (INTER_CUBIC) with the same homography, single-threaded, in the same run; then
// the same with the lens correction on. Prints the times and the ratios ours / OpenCV.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/core/TKelvoPixelBuffer.h"
#include "tools/core/TKelvoPerspectiveMapping.h"

#if __has_include(<opencv2/imgproc.hpp>)
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#define HAVE_OPENCV 1
#else
#define HAVE_OPENCV 0
#endif

namespace {
constexpr int W = 6000;
constexpr int H = 4000;

// A vertical keystone as the perspective tool makes it from two converging plumb lines: the top is
// narrowed by e, shifted by s. The record is a homography of the output onto the source.
constexpr double e = 0.9;
constexpr double s = 30.0;

TTransformRecord KeystoneRecord() {
    TTransformRecord r;
    r.Kind = TransformVerticalKeystone;
    r.M11 = e;
    r.M13 = s;
    r.M12 = -2 * s / H;
    r.M22 = 1;
    r.M23 = 0;
    r.P = 2 * (1 - e) / H;
    r.Q = 2 / e - 2;
    return r;
}

double Seconds(const std::function<void()>& f, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
    }
    return best;
}

// FNV-1a over the pixels: a change of the render's bytes shows as a change of this number between builds.
std::uint64_t Hash(const TKelvoPixelBuffer& b) {
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < 3 * W; ++x) h = (h ^ b.Row(y)[x]) * 1099511628211ull;
    return h;
}

void Fill(TKelvoPixelBuffer& b) {
    for (int y = 0; y < H; ++y) {
        Byte* row = b.Row(y);
        for (int x = 0; x < W; ++x) {
            row[3 * x + 0] = Byte((x * 7 + y * 3) & 0xFF);
            row[3 * x + 1] = Byte(((x / 16 + y / 16) & 1) ? 230 : 20);
            row[3 * x + 2] = Byte((x ^ y) & 0xFF);
        }
    }
}
}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    TKelvoPixelBuffer source(KelvoFormatBGR24, MakeRect(0, 0, W, H));
    TKelvoPixelBuffer target(KelvoFormatBGR24, MakeRect(0, 0, W, H));
    Fill(source);

    TKelvoPerspectiveMapping m;
    m.RefWidth = W;
    m.RefHeight = H;
    m.History.push_back(KeystoneRecord());
    m.Quality = 2;

    const double ours = Seconds(
        [&] {
            RenderCorrection(m, source, target, source.GetBounds(), nullptr);
            benchmark::DoNotOptimize(target.Bits());
        },
        runs);

    const std::uint64_t hash = Hash(target);

    m.LensOn = true;
    m.LensK = 0.05;
    const double oursLens = Seconds(
        [&] {
            RenderCorrection(m, source, target, source.GetBounds(), nullptr);
            benchmark::DoNotOptimize(target.Bits());
        },
        runs);
    const std::uint64_t hashLens = Hash(target);
    m.LensOn = false;
    std::printf("output hashes: %016llx %016llx\n", static_cast<unsigned long long>(hash),
                static_cast<unsigned long long>(hashLens));
    std::printf("ours, keystone, final quality:          %.3f s (%.1f ns/pixel)\n", ours, ours * 1e9 / (double(W) * H));
    std::printf("ours, keystone + lens, final quality:   %.3f s (%.1f ns/pixel)\n", oursLens,
                oursLens * 1e9 / (double(W) * H));

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
    const double cv = Seconds(
        [&] {
            cv::warpPerspective(src, dst, hom, dst.size(), cv::INTER_CUBIC | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT,
                                cv::Scalar(255, 255, 255));
            benchmark::DoNotOptimize(dst.data);
        },
        runs);

    // Both images should agree up to interpolation details: mean absolute difference of the bytes.
    RenderCorrection(m, source, target, source.GetBounds(), nullptr);
    double diff = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < 3 * W; ++x) diff += std::abs(int(target.Row(y)[x]) - int(dst.ptr<Byte>(y)[x]));
    std::printf("OpenCV warpPerspective INTER_CUBIC:     %.3f s (%.1f ns/pixel), single thread\n", cv,
                cv * 1e9 / (double(W) * H));
    std::printf("mean absolute byte difference ours/OpenCV: %.3f\n", diff / (3.0 * W * H));
    std::printf("ratio ours/OpenCV without lens: %.2f\n", ours / cv);
    std::printf("ratio ours/OpenCV with lens:    %.2f\n", oursLens / cv);
#else
    std::printf("OpenCV not found: no ratios (VANTOREL_WITH_BENCH=1 scripts/setup.sh installs it)\n");
#endif
    return 0;
}
