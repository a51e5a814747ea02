#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "app/core/KelvoResample.h"
#include "app/core/TKelvoPixelBuffer.h"

namespace {

void Fill(TKelvoPixels& p, Byte b, Byte g, Byte r) {
    for (std::int32_t y = p.Top(); y < p.Top() + p.Height(); ++y)
        for (std::int32_t x = p.Left(); x < p.Left() + p.Width(); ++x) {
            Byte* q = p.PixelAddress(x, y);
            q[0] = b;
            q[1] = g;
            q[2] = r;
        }
}

}  // namespace

TEST(Lanczos, KernelShape) {
    TLanczosResampler k;
    EXPECT_TRUE(k.RangeCheck());
    EXPECT_EQ(k.GetWidth(), 3.0);
    EXPECT_EQ(k.Filter(0.0), 1.0);
    EXPECT_EQ(k.Filter(3.0), 0.0);
    EXPECT_EQ(k.Filter(-3.5), 0.0);
    EXPECT_NEAR(k.Filter(1.0), 0.0, 1e-12);
    EXPECT_NEAR(k.Filter(0.5), k.Filter(-0.5), 1e-15);
    EXPECT_LT(k.Filter(1.5), 0.0);  // the negative lobe
    EXPECT_NEAR(k.Filter(0.5), 0.6079271, 1e-6);
    TLanczosResampler wide(2.0);
    EXPECT_EQ(wide.GetWidth(), 2.0);
    EXPECT_EQ(wide.Filter(2.0), 0.0);
}

TEST(MappingTable, EveryListSumsTo256AndStaysInsideTheSource) {
    TLanczosResampler k;
    const std::vector<std::tuple<int, int>> pairs = {{2, 1},   {2, 7},    {3, 1000}, {7, 3},    {13, 5},
                                                     {100, 1}, {100, 33}, {97, 101}, {640, 50}, {5, 17}};
    for (auto [src, dst] : pairs) {
        // Source span offset to 10 and a clip reaching past the destination on both sides.
        TKelvoMappingTable t = BuildMappingTable(0, dst, -4, dst + 4, 10, 10 + src, k);
        ASSERT_EQ(t.Count(), dst + 8) << src << "->" << dst;
        for (int i = 0; i < t.Count(); ++i) {
            int sum = 0;
            ASSERT_GT(t.Entries(i), 0);
            for (int e = t.Start[i]; e < t.Start[i + 1]; ++e) {
                sum += t.Weight[e];
                ASSERT_GE(t.Index[e], 10);
                ASSERT_LT(t.Index[e], 10 + src);
            }
            ASSERT_EQ(sum, 256) << src << "->" << dst << " list " << i;
        }
    }
}

TEST(MappingTable, SpecialSpans) {
    TLanczosResampler k;
    // One source pixel: every list is that pixel with the full weight.
    TKelvoMappingTable one = BuildMappingTable(0, 10, 0, 10, 5, 6, k);
    ASSERT_EQ(one.Count(), 10);
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(one.Entries(i), 1);
        EXPECT_EQ(one.Index[one.Start[i]], 5);
        EXPECT_EQ(one.Weight[one.Start[i]], 256);
    }
    EXPECT_EQ(BuildMappingTable(0, 10, 0, 10, 5, 5, k).Count(), 0);  // empty source
    EXPECT_EQ(BuildMappingTable(0, 10, 3, 3, 0, 5, k).Count(), 0);   // empty clip
    EXPECT_EQ(BuildMappingTable(4, 4, 0, 10, 0, 5, k).Count(), 0);   // empty destination span

    // The same scale gives identity weights: centre exactly on a source pixel.
    TKelvoMappingTable same = BuildMappingTable(0, 8, 0, 8, 0, 8, k);
    for (int i = 0; i < 8; ++i) {
        int total = 0;
        for (int e = same.Start[i]; e < same.Start[i + 1]; ++e)
            if (same.Index[e] == i) total += same.Weight[e];
        EXPECT_EQ(total, 256) << i;
    }

    // A clip list far outside the destination has no weights of its own and repeats the nearest edge.
    TKelvoMappingTable far = BuildMappingTable(0, 2, 50, 51, 0, 400, k);
    ASSERT_EQ(far.Count(), 1);
    for (int e = far.Start[0]; e < far.Start[1]; ++e) EXPECT_EQ(far.Index[e], 399);
}

TEST(Resample, UniformImageStaysUniformAtAnyScale) {
    TLanczosResampler k;
    const std::vector<std::tuple<int, int, int, int>> sizes = {{37, 23, 10, 7}, {37, 23, 111, 70}, {16, 16, 4, 4},
                                                               {9, 5, 9, 5},    {50, 3, 7, 40},    {1, 1, 13, 2}};
    for (Byte v : {Byte(0), Byte(1), Byte(128), Byte(254), Byte(255)}) {
        for (auto [sw, sh, dw, dh] : sizes) {
            TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(0, 0, sw, sh));
            Fill(src, v, Byte(255 - v), v);
            TKelvoPixelBuffer dst(KelvoFormatBGR24, MakeRect(0, 0, dw, dh));
            Fill(dst, 7, 7, 7);
            Resample(dst, dst.GetBounds(), dst.GetBounds(), k, src.GetBounds(), src);
            for (int y = 0; y < dh; ++y)
                for (int x = 0; x < dw; ++x) {
                    const Byte* q = dst.PixelAddress(x, y);
                    ASSERT_EQ(q[0], v) << sw << "x" << sh << "->" << dw << "x" << dh;
                    ASSERT_EQ(q[1], Byte(255 - v));
                    ASSERT_EQ(q[2], v);
                }
        }
    }
}

TEST(Resample, BlackWhiteEdgeDoesNotWrapAround) {
    TLanczosResampler k;
    TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(0, 0, 8, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const Byte v = ((x < 4) != (y < 4)) ? 255 : 0;
            std::memset(src.PixelAddress(x, y), v, 3);
        }
    TKelvoPixelBuffer dst(KelvoFormatBGR24, MakeRect(0, 0, 32, 32));
    Resample(dst, dst.GetBounds(), dst.GetBounds(), k, src.GetBounds(), src);
    // The ringing of the kernel overshoots both ends; without clamping 256 would store as 0 and -1 as 255.
    // Far from the edges the values are exact, and next to the edge they stay on their side.
    auto white = [](int x, int y) { return (x < 16) != (y < 16); };
    for (int y : {0, 2, 29, 31})
        for (int x : {0, 2, 14, 17, 29, 31}) {
            const int v = dst.PixelAddress(x, y)[0];
            const bool nearEdge = x == 14 || x == 17;
            if (nearEdge) {
                EXPECT_LE(std::abs(v - (white(x, y) ? 255 : 0)), 55) << x << "," << y;
            } else {
                EXPECT_EQ(v, white(x, y) ? 255 : 0) << x << "," << y;
            }
        }
    // A plain step row: overshoot must clamp, not wrap.
    TKelvoPixelBuffer step(KelvoFormatBGR24, MakeRect(0, 0, 6, 1));
    for (int x = 0; x < 6; ++x) std::memset(step.PixelAddress(x, 0), x < 3 ? 0 : 255, 3);
    TKelvoPixelBuffer wide(KelvoFormatBGR24, MakeRect(0, 0, 24, 1));
    Resample(wide, wide.GetBounds(), wide.GetBounds(), k, step.GetBounds(), step);
    for (int x = 0; x < 24; ++x) {
        const int v = wide.PixelAddress(x, 0)[0];
        if (x < 10) {
            EXPECT_LT(v, 60) << x;
        } else if (x > 13) {
            EXPECT_GT(v, 195) << x;
        }
    }
}

TEST(Resample, OnePixelWideSourceRepeats) {
    TLanczosResampler k;
    TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(0, 0, 1, 3));
    for (int y = 0; y < 3; ++y) std::memset(src.PixelAddress(0, y), 40 + 60 * y, 3);
    TKelvoPixelBuffer dst(KelvoFormatBGR24, MakeRect(0, 0, 10, 3));
    Resample(dst, dst.GetBounds(), dst.GetBounds(), k, src.GetBounds(), src);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(dst.PixelAddress(x, y)[1], 40 + 60 * y);
}

TEST(Resample, ClipWritesOnlyItsPartAndMatchesTheFullResult) {
    TLanczosResampler k;
    TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(3, 2, 3 + 41, 2 + 29));
    for (int y = src.Top(); y < src.Top() + src.Height(); ++y)
        for (int x = src.Left(); x < src.Left() + src.Width(); ++x) {
            Byte* q = src.PixelAddress(x, y);
            q[0] = Byte(x * 5);
            q[1] = Byte(y * 9);
            q[2] = Byte((x * y) & 0xFF);
        }
    for (auto [dw, dh] : {std::pair{100, 70}, std::pair{17, 12}}) {
        TKelvoPixelBuffer full(KelvoFormatBGR24, MakeRect(0, 0, dw, dh));
        Resample(full, full.GetBounds(), full.GetBounds(), k, src.GetBounds(), src);
        TKelvoPixelBuffer part(KelvoFormatBGR24, MakeRect(0, 0, dw, dh));
        Fill(part, 1, 2, 3);
        const TKelvoRect clip = MakeRect(dw / 3, dh / 4, dw / 3 + dw / 2, dh / 4 + dh / 2);
        Resample(part, part.GetBounds(), clip, k, src.GetBounds(), src);
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x) {
                const bool inside = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
                const Byte* q = part.PixelAddress(x, y);
                if (inside) {
                    ASSERT_EQ(std::memcmp(q, full.PixelAddress(x, y), 3), 0) << x << "," << y;
                } else {
                    ASSERT_TRUE(q[0] == 1 && q[1] == 2 && q[2] == 3) << x << "," << y;
                }
            }
    }
}

TEST(Resample, StaysInsideTheSourceWhenRectanglesReachOut) {
    TLanczosResampler k;
    TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(0, 0, 5, 5));
    Fill(src, 90, 90, 90);
    // The destination buffer is larger than the destination rectangle and the source rectangle is larger
    // than the source; under the address sanitizer any read outside src would fail this test.
    TKelvoPixelBuffer dst(KelvoFormatBGR24, MakeRect(-10, -10, 30, 30));
    Resample(dst, MakeRect(0, 0, 10, 10), dst.GetBounds(), k, MakeRect(-3, -3, 12, 12), src);
    for (int y = -10; y < 30; ++y)
        for (int x = -10; x < 30; ++x) ASSERT_EQ(dst.PixelAddress(x, y)[2], 90) << x << "," << y;

    // A 32-bit destination is left alone.
    TKelvoPixelBuffer alpha(KelvoFormatBGRA32, MakeRect(0, 0, 4, 4));
    Resample(alpha, alpha.GetBounds(), alpha.GetBounds(), k, src.GetBounds(), src);
    EXPECT_EQ(alpha.PixelAddress(2, 2)[0], 0);
}

TEST(Resample, EqualsADirectEvaluationOfTheTables) {
    // Every pixel recomputed straight from the two tables: vertical sums first, then horizontal, 16
    // fractional bits, clamped and truncated. Sizes leave row tails of every length after 16-byte blocks.
    TLanczosResampler k;
    for (auto [sw, sh, dw, dh] : {std::tuple{45, 13, 20, 31}, std::tuple{70, 9, 140, 5}, std::tuple{23, 40, 7, 7}}) {
        TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(0, 0, sw, sh));
        std::uint32_t seed = 99;
        for (int y = 0; y < sh; ++y)
            for (int b = 0; b < sw * 3; ++b) {
                seed = seed * 1103515245u + 12345u;
                src.Row(y)[b] = Byte(seed >> 24);
            }
        TKelvoPixelBuffer dst(KelvoFormatBGR24, MakeRect(0, 0, dw, dh));
        Resample(dst, dst.GetBounds(), dst.GetBounds(), k, src.GetBounds(), src);
        const TKelvoMappingTable xt = BuildMappingTable(0, dw, 0, dw, 0, sw, k);
        const TKelvoMappingTable yt = BuildMappingTable(0, dh, 0, dh, 0, sh, k);
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x)
                for (int c = 0; c < 3; ++c) {
                    std::int64_t sum = 0;
                    for (int i = xt.Start[x]; i < xt.Start[x + 1]; ++i) {
                        std::int64_t column = 0;
                        for (int j = yt.Start[y]; j < yt.Start[y + 1]; ++j)
                            column += std::int64_t(yt.Weight[j]) * src.PixelAddress(xt.Index[i], yt.Index[j])[c];
                        sum += xt.Weight[i] * column;
                    }
                    const int expected = sum < 0 ? 0 : sum >= 0xFF0000 ? 255 : int(sum >> 16);
                    ASSERT_EQ(dst.PixelAddress(x, y)[c], expected) << sw << "->" << dw << " at " << x << "," << y;
                }
    }
}

TEST(Resample, GivesTheSameBytesAsEver) {
    // FNV-1a hashes of the resize's output at the benchmark's factors and a few uneven ones, with the vector
    // loops and with the plain ones: a faster inner loop must not change one byte. The picture has smooth gradients,
    // noise and hard black-white edges, so that sums run below 0 and above 255.
    constexpr int sw = 641, sh = 427;
    TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(0, 0, sw, sh));
    std::uint32_t seed = 12345;
    for (int y = 0; y < sh; ++y) {
        Byte* row = src.Row(y);
        for (int x = 0; x < sw; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28);
            const bool edge = ((x / 29) + (y / 31)) % 5 == 0;
            row[3 * x + 0] = edge ? Byte(255) : Byte((x / 3 + noise) & 0xFF);
            row[3 * x + 1] = edge ? Byte(0) : Byte((y / 2 + noise) & 0xFF);
            row[3 * x + 2] = edge ? Byte(255) : Byte(((x + y) / 5) & 0xFF);
        }
    }
    auto hash = [](const TKelvoPixels& p) {
        std::uint64_t h = 14695981039346656037ull;
        for (int y = 0; y < p.Height(); ++y) {
            const Byte* row = p.PixelAddress(p.Left(), p.Top() + y);
            for (int b = 0; b < p.Width() * 3; ++b) h = (h ^ row[b]) * 1099511628211ull;
        }
        return h;
    };
    TLanczosResampler k;
    const std::vector<std::tuple<int, int, std::uint64_t>> cases = {
        {sw / 2, sh / 2, 0x99e130950eed56b9ull}, {sw / 4, sh / 4, 0x32b607f8e96e4dc6ull},
        {sw * 2, sh * 2, 0xfa93d23ccdd4f1dcull}, {237, 158, 0xf4c645b3a6440cafull},
        {700, 31, 0x388e490f99b57119ull},        {5, 900, 0x5296aeabae7062eeull}};
    for (auto [dw, dh, expected] : cases) {
        TKelvoPixelBuffer dst(KelvoFormatBGR24, MakeRect(0, 0, dw, dh));
        Resample(dst, dst.GetBounds(), dst.GetBounds(), k, src.GetBounds(), src);
        EXPECT_EQ(hash(dst), expected) << dw << "x" << dh << " " << std::hex << hash(dst);
        TKelvoPixelBuffer plain(KelvoFormatBGR24, MakeRect(0, 0, dw, dh));
        ResamplePortable(plain, plain.GetBounds(), plain.GetBounds(), k, src.GetBounds(), src);
        EXPECT_EQ(hash(plain), expected) << dw << "x" << dh << " (plain loops)";
    }
}
