// Quarter turns and flips of a 6000 x 4000 24-bit image in this build (32- or 64-bit, under Wine), beside a
// plain copy of the same bytes into a new buffer, as bench_QuarterTurnBench compares them natively. Each round
// runs every operation once, in turn; the medians of the thread's processor time are printed with their ratio
// to the copy's, so that other work on the machine weighs little.
//
//   winbench_QuarterTurnWinBench [rounds]   (default 7)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "tests/support/BenchClock.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    TKelvoPixelBuffer source(KelvoFormatBGR24, MakeRect(0, 0, 6000, 4000));
    for (std::int32_t y = 0; y < source.Height(); ++y)
        for (std::int32_t b = 0; b < source.Stride(); ++b) source.Row(y)[b] = Byte(y * 31 + b * 7);

    struct TOperation {
        const char* Name;
        bool (*Run)(const TKelvoPixels&, TKelvoPixelBuffer&);
        std::vector<double> Seconds;
    };
    std::vector<TOperation> operations = {
        {"copy",
         [](const TKelvoPixels& s, TKelvoPixelBuffer& d) {
             TKelvoPixelBuffer out(KelvoFormatBGR24, s.GetBounds());
             std::memcpy(out.Bits(), s.Bits(), std::size_t(s.Stride()) * std::size_t(s.Height()));
             d.Swap(out);
             return true;
         }},
        {"rotate right", RotatePixelsRight},
        {"rotate left", RotatePixelsLeft},
        {"flip horizontal", FlipPixelsHorizontal},
        {"flip vertical", FlipPixelsVertical},
    };
    for (int r = 0; r < rounds; ++r) {
        for (TOperation& o : operations) {
            TKelvoPixelBuffer dest;
            const double start = ThreadSeconds();
            if (!o.Run(source, dest)) return std::puts("an operation failed"), 1;
            o.Seconds.push_back(ThreadSeconds() - start);
        }
    }
    const double copy = Median(operations[0].Seconds);
    std::printf("%d-bit build, median of %d rounds (thread processor time)\n", int(sizeof(void*) * 8), rounds);
    for (const TOperation& o : operations)
        std::printf("%-16s %8.1f ms  %.2f of the copy\n", o.Name, Median(o.Seconds) * 1e3, Median(o.Seconds) / copy);
    return 0;
}
