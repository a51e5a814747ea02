#include <gtest/gtest.h>

#include "tests/themed/core/PngTestSupport.h"
#include "themed/core/PngDIB.h"

using namespace pngtest;

namespace {

Bytes Contents(TMemoryStream& s) {
    const auto* p = static_cast<const std::uint8_t*>(s.Memory());
    return Bytes(p, p + s.Size());
}

Bytes WithCount(std::int32_t count, const Bytes& png) {
    Bytes b = {std::uint8_t(count), std::uint8_t(count >> 8), std::uint8_t(count >> 16),
               std::uint8_t(std::uint32_t(count) >> 24)};
    if (!png.empty()) b.insert(b.end(), png.begin(), png.end());
    return b;
}

std::int32_t Read(const Bytes& blob, std::int32_t w, std::int32_t h, std::vector<std::uint32_t>& strip) {
    TCustomMemoryStream s;
    s.SetPointer(const_cast<std::uint8_t*>(blob.data()), std::int64_t(blob.size()));
    return themed::ReadPngDIB(s, w, h, strip);
}

}  // namespace

TEST(PngDIB, StoresTheImagesAsOneStrip) {
    // Three 16 x 16 images are one PNG of 16 x 48 after the count.
    std::vector<std::uint32_t> strip(16 * 48);
    for (std::size_t i = 0; i < strip.size(); ++i) strip[i] = std::uint32_t(i * 2654435761u) | 0x01000000u;
    TMemoryStream s;
    themed::WritePngDIB(s, 3, 16, 16, strip.data());
    const Bytes blob = Contents(s);
    ASSERT_GT(blob.size(), 4u);
    EXPECT_EQ(Bytes(blob.begin(), blob.begin() + 4), (Bytes{3, 0, 0, 0}));
    const Decoded d = Decode(Bytes(blob.begin() + 4, blob.end()));
    EXPECT_EQ(d.width, 16u);
    EXPECT_EQ(d.height, 48u);

    std::vector<std::uint32_t> back;
    EXPECT_EQ(Read(blob, 16, 16, back), 3);
    EXPECT_EQ(back, strip);

    // An empty list is only its count.
    TMemoryStream empty;
    themed::WritePngDIB(empty, 0, 16, 16, nullptr);
    EXPECT_EQ(Contents(empty), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Read(Contents(empty), 16, 16, back), 0);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(Read(WithCount(-5, {}), 16, 16, back), 0);
}

TEST(PngDIB, StripsThatDoNotFitTheListAreDropped) {
    std::vector<std::uint32_t> back = {1};
    const Bytes strip24 = Encode(24, 48, std::vector<std::uint32_t>(24 * 48, 0xFF123456));
    // Wrong width: nothing, no error.
    EXPECT_EQ(Read(WithCount(2, strip24), 16, 24, back), 0);
    EXPECT_TRUE(back.empty());
    // Height not equal to height x count.
    EXPECT_EQ(Read(WithCount(3, strip24), 24, 24, back), 0);
    EXPECT_EQ(Read(WithCount(2, strip24), 24, 24, back), 2);
    // A count whose product with the height wraps in 32 bits to the PNG's height is not a match.
    const Bytes strip16 = Encode(16, 16, std::vector<std::uint32_t>(16 * 16, 0xFF000000));
    EXPECT_EQ(Read(WithCount(0x10000001, strip16), 16, 16, back), 0);
    EXPECT_TRUE(back.empty());
    // Errors of the PNG itself pass through.
    Bytes broken = strip16;
    broken[1] = 'X';
    EXPECT_THROW(Read(WithCount(1, broken), 16, 16, back), EStreamError);
}
