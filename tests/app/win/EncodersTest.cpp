#include <gtest/gtest.h>

#include <cstring>

#include "app/win/KelvoEncoders.h"

TEST(Encoders, FindsTheStandardEncodersByMimeType) {
    CLSID jpeg{}, png{};
    const int j = GetEncoderClsid(u"image/jpeg", jpeg);
    const int p = GetEncoderClsid(u"image/png", png);
    ASSERT_GE(j, 0);
    ASSERT_GE(p, 0);
    EXPECT_NE(j, p);
    EXPECT_NE(std::memcmp(&jpeg, &png, sizeof(CLSID)), 0);

    CLSID untouched{};
    untouched.Data1 = 0x12345678;
    EXPECT_EQ(GetEncoderClsid(u"image/none", untouched), -1);
    EXPECT_EQ(GetEncoderClsid(u"IMAGE/JPEG", untouched), -1);  // exact comparison
    EXPECT_EQ(untouched.Data1, 0x12345678u);
}
