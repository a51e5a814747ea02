#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "app/core/TKelvoPixels.h"
#include "tools/core/SampleRow.h"

namespace {
// The fast loop must give the portable loop's bytes everywhere, also next to the borders and at the end
// of the image memory (the pixels live in a heap block of exactly stride x height bytes, so a read past
// the end is caught by the address checker).
TEST(SampleRowTest, FastLoopMatchesThePortableLoopEverywhere) {
    // Without the vector loop both sides would be the portable loop, and the comparison could not fail.
    if (!SampleSourceRowIsVectorised()) GTEST_SKIP() << "this processor or build has no SSE4.1 loop to compare";
    for (auto [w, h, left, top] : {std::tuple{23, 17, 0, 0}, {4, 4, 0, 0}, {9, 5, 3, 2}}) {
        const int stride = 3 * w;
        std::vector<Byte> memory(std::size_t(stride) * h);
        std::mt19937 rng(w * 31 + h);
        for (auto& b : memory) b = Byte(rng());
        TKelvoPixels image;
        image.Init(MakeRect(left, top, left + w, top + h), memory.data(), KelvoFormatBGR24, stride);

        std::vector<double> X, Y;
        std::uniform_real_distribution<double> ux(left - 2.0, left + w + 1.0), uy(top - 2.0, top + h + 1.0);
        for (int i = 0; i < 4000; ++i) {
            X.push_back(ux(rng));
            Y.push_back(uy(rng));
        }
        // The last row and column, integer and half positions, and values that must give white.
        for (double fx : {0.0, 0.5, 0.25, 0.999}) {
            for (int x = left; x < left + w; ++x) {
                X.push_back(x + fx);
                Y.push_back(top + h - 3 + fx);
                X.push_back(left + w - 4 + fx);
                Y.push_back(top + (x - left) % h + fx);
            }
        }
        for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY), 1e300, -1e300}) {
            X.push_back(bad);
            Y.push_back(top + 1);
            X.push_back(left + 1);
            Y.push_back(bad);
        }
        const int n = int(X.size());
        for (Byte q : {Byte(0), Byte(2)}) {
            std::vector<Byte> fast(3 * n), portable(3 * n);
            SampleSourceRow(image, X.data(), Y.data(), n, q, fast.data());
            SampleSourceRowPortable(image, X.data(), Y.data(), n, q, portable.data());
            int differences = 0;
            for (int i = 0; i < 3 * n; ++i) differences += fast[i] != portable[i];
            EXPECT_EQ(differences, 0) << w << "x" << h << " quality " << int(q);
        }
    }
}
}  // namespace
