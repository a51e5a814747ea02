// The native stand-in for module resources (the Win32 lookup is tested under Wine).
#ifndef _WIN32
#include <gtest/gtest.h>

#include "classlib/core/TResourceStream.h"

TEST(ResourceStream, FindsRegisteredBlobsByNameOrNumberRegardlessOfCase) {
    ClearRegisteredResources();
    RegisterResource("Language", rtRCData, {'a', 'b', 'c'});
    RegisterResource(7, rtRCData, {1, 2});
    RegisterResource("Language", rtBitmap, {9});

    TResourceStream s(0, "LANGUAGE", rtRCData);
    EXPECT_EQ(s.Size(), 3);
    char buf[3];
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "abc");
    EXPECT_THROW(s.Write("x", 1), EStreamError);

    EXPECT_EQ(TResourceStream(0, 7, rtRCData).Size(), 2);
    EXPECT_EQ(TResourceStream(0, "language", rtBitmap).Size(), 1);
    // A number and a name that reads like it are different resources.
    try {
        TResourceStream(0, "7", rtRCData);
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource 7 not found");
    }
    try {
        TResourceStream(0, 8, rtRCData);
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource #8 not found");
    }
    ClearRegisteredResources();
}

TEST(ResourceStream, AStreamKeepsReadingABlobThatWasReplaced) {
    ClearRegisteredResources();
    RegisterResource("Logo", rtRCData, std::vector<Byte>(1000, 0x11));
    TResourceStream old(0, "Logo", rtRCData);
    RegisterResource("Logo", rtRCData, {0x22});
    ClearRegisteredResources();
    std::vector<Byte> bytes(1000);
    old.ReadBuffer(bytes.data(), 1000);
    EXPECT_EQ(bytes[999], 0x11);
    EXPECT_THROW(TResourceStream(0, "Logo", rtRCData), EResNotFound);
}
#endif
