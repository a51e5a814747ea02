#include <gtest/gtest.h>

#include "themed/core/EDIB32Error.h"
#include "themed/core/Resample32.h"

using namespace themed;

namespace {

std::string Describe(const std::vector<TResampleWeight>& list) {
    std::string s;
    for (const auto& w : list) s += std::to_string(w.index) + ":" + std::to_string(w.weight) + " ";
    return s;
}

}  // namespace

TEST(Resample32, WeightsPerAxis) {
    // Enlarging: two neighbours, the ends use their edge pixel alone.
    auto w = ResampleWeights(2, 4);
    EXPECT_EQ(Describe(w[0]), "0:256 ");
    EXPECT_EQ(Describe(w[1]), "0:192 1:64 ");
    EXPECT_EQ(Describe(w[2]), "0:64 1:192 ");
    EXPECT_EQ(Describe(w[3]), "1:256 ");
    // Reducing: the covered span, the rounding remainder carried on.
    w = ResampleWeights(3, 2);
    EXPECT_EQ(Describe(w[0]), "0:171 1:85 ");
    EXPECT_EQ(Describe(w[1]), "1:85 2:171 ");
    w = ResampleWeights(4, 2);
    EXPECT_EQ(Describe(w[0]), "0:128 1:128 ");
    // Every list sums to 256 and stays inside the source, whatever the sizes.
    for (int s = 1; s < 40; ++s)
        for (int t = 1; t < 40; ++t) {
            for (const auto& list : ResampleWeights(s, t)) {
                int sum = 0;
                for (const auto& e : list) {
                    ASSERT_GE(e.index, 0);
                    ASSERT_LT(e.index, s);
                    sum += e.weight;
                }
                ASSERT_EQ(sum, 256) << s << " -> " << t;
            }
        }
    EXPECT_THROW(ResampleWeights(0, 3), EDIB32Error);
}

TEST(Resample32, ImagesReplaceOrCompose) {
    // A uniform image stays uniform at any size.
    std::vector<std::uint32_t> flat(5 * 3, 0x80336699), out(7 * 2, 0);
    ResamplePixels(flat.data(), 5, 3, out.data(), 7, 2, false);
    for (std::uint32_t p : out) EXPECT_EQ(p, 0x80336699u);
    // Halving averages pairs.
    const std::uint32_t src[4] = {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF};
    std::uint32_t half[1] = {0};
    ResamplePixels(src, 2, 2, half, 1, 1, false);
    EXPECT_EQ(half[0], 0xFF808080u);
    // Composing puts the result over the target; equal sizes compose directly.
    std::uint32_t under[1] = {0xFF0000FF};
    const std::uint32_t clear[4] = {0, 0, 0, 0};
    ResamplePixels(clear, 2, 2, under, 1, 1, true);
    EXPECT_EQ(under[0], 0xFF0000FFu);
    std::uint32_t same[2] = {0xFF000000, 0xFF000000};
    const std::uint32_t top[2] = {0xFFFFFFFF, 0x00FFFFFF};
    ResamplePixels(top, 2, 1, same, 2, 1, true);
    EXPECT_EQ(same[0], 0xFFFFFFFFu);
    EXPECT_EQ(same[1], 0xFF000000u);
}
