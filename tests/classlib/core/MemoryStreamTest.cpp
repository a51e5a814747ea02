#include <gtest/gtest.h>

#include <cstring>

#include "classlib/core/Stream.h"
#include "tests/support/TestSupport.h"

TEST(MemoryStream, WritesGrowAndReadsStopAtTheEnd) {
    TMemoryStream s;
    const char text[] = "hello, stream";
    s.WriteBuffer(text, 5);
    s.WriteBuffer(text + 5, std::int32_t(sizeof text - 5));
    EXPECT_EQ(s.Size(), std::int64_t(sizeof text));
    EXPECT_EQ(s.Position(), std::int64_t(sizeof text));

    s.SetPosition(7);
    char buf[64] = {};
    EXPECT_EQ(s.Read(buf, 64), std::int32_t(sizeof text - 7));
    EXPECT_STREQ(buf, "stream");
    EXPECT_EQ(s.Read(buf, 1), 0);
    // A short ReadBuffer raises rather than leaving the caller with half a record.
    s.SetPosition(s.Size() - 2);
    EXPECT_THROW(s.ReadBuffer(buf, 3), EReadError);
    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
}

TEST(MemoryStream, SetSizeZeroFillsAndClampsThePosition) {
    TMemoryStream s;
    s.SetSize(10);
    const Byte* p = static_cast<const Byte*>(s.Memory());
    for (int i = 0; i < 10; ++i) EXPECT_EQ(p[i], 0);
    s.SetPosition(10);
    s.SetSize(4);
    EXPECT_EQ(s.Position(), 4);
    EXPECT_EQ(s.Remaining(), 0);
}

TEST(MemoryStream, CopyFromAndFileRoundTrip) {
    TMemoryStream a;
    for (int i = 0; i < 100000; ++i) {
        Byte b = Byte(i * 7);
        a.WriteBuffer(&b, 1);
    }
    TMemoryStream b;
    EXPECT_EQ(b.CopyFrom(a, 0), 100000);
    ASSERT_EQ(b.Size(), 100000);
    EXPECT_EQ(std::memcmp(a.Memory(), b.Memory(), 100000), 0);

    testsupport::TempDir dir;
    b.SaveToFile(dir.File("bytes.bin"));
    TMemoryStream c;
    c.LoadFromFile(dir.File("bytes.bin"));
    ASSERT_EQ(c.Size(), 100000);
    EXPECT_EQ(std::memcmp(a.Memory(), c.Memory(), 100000), 0);
    EXPECT_THROW(c.LoadFromFile(dir.File("missing.bin")), EFOpenError);
}

TEST(MemoryStream, AViewOverForeignMemoryIsReadOnly) {
    Byte data[4] = {1, 2, 3, 4};
    TCustomMemoryStream view;
    view.SetPointer(data, 4);
    Byte out[4];
    view.ReadBuffer(out, 4);
    EXPECT_EQ(out[3], 4);
    EXPECT_THROW(view.WriteBuffer(out, 1), EWriteError);
}
