#include <gtest/gtest.h>

#include <cstring>

#include "classlib/core/TResourceStream.h"
#include "classlib/win/TStreamAdapter.h"

TEST(ResourceStreamWin, ReadsAModulesResourceAndReportsMissingOnes) {
    // Every system module carries its version record as resource 1 of type 16.
    const TModuleHandle kernel = reinterpret_cast<TModuleHandle>(::GetModuleHandleA("kernel32.dll"));
    ASSERT_NE(kernel, 0u);
    TResourceStream s(kernel, 1, 16);
    ASSERT_GT(s.Size(), 40);
    std::uint16_t length = 0;
    s.ReadBuffer(&length, 2);
    EXPECT_LE(length, s.Size());
    s.SetPosition(6);
    char16_t key[15];
    s.ReadBuffer(key, sizeof key);
    EXPECT_EQ(std::u16string(key, 15), u"VS_VERSION_INFO");
    EXPECT_THROW(TResourceStream(kernel, "NoSuchResource", rtRCData), EResNotFound);
    EXPECT_THROW(TResourceStream(0, 4711, rtRCData), EResNotFound);
    // The system side answers directly too (and this call also makes the linker take it in).
    const void* data = nullptr;
    std::int64_t size = -1;
    std::shared_ptr<const void> keep;
    EXPECT_TRUE(classlib::resources::SysFindResource(kernel, 1, 16, data, size, keep));
    EXPECT_EQ(size, s.Size());
    EXPECT_FALSE(classlib::resources::SysFindResource(kernel, 2, 16, data, size, keep));
}

namespace {

struct CountedStream : TMemoryStream {
    explicit CountedStream(int& freed) : freed_(freed) {}
    ~CountedStream() override { ++freed_; }
    int& freed_;
};

}  // namespace

TEST(StreamAdapter, ReadsWritesSeeksAndCopiesThroughIStream) {
    TMemoryStream mem;
    IStream* s = TStreamAdapter::Create(&mem);
    ULONG done = 0;
    EXPECT_EQ(s->Write("hello world", 11, &done), S_OK);
    EXPECT_EQ(done, 11u);
    EXPECT_EQ(mem.Size(), 11);

    LARGE_INTEGER move;
    ULARGE_INTEGER pos;
    move.QuadPart = 6;
    EXPECT_EQ(s->Seek(move, STREAM_SEEK_SET, &pos), S_OK);
    EXPECT_EQ(pos.QuadPart, 6u);
    char buf[16] = {};
    // A read that meets the end reports what it got and says so.
    EXPECT_EQ(s->Read(buf, 10, &done), S_FALSE);
    EXPECT_EQ(done, 5u);
    EXPECT_STREQ(buf, "world");
    move.QuadPart = -1;
    EXPECT_NE(s->Seek(move, STREAM_SEEK_SET, nullptr), S_OK);

    STATSTG st;
    EXPECT_EQ(s->Stat(&st, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(st.cbSize.QuadPart, 11u);
    EXPECT_EQ(st.type, DWORD(STGTY_STREAM));

    IStream* target = nullptr;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &target), S_OK);
    move.QuadPart = 0;
    s->Seek(move, STREAM_SEEK_SET, nullptr);
    ULARGE_INTEGER count, read, written;
    count.QuadPart = 1000;
    EXPECT_EQ(s->CopyTo(target, count, &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 11u);
    EXPECT_EQ(written.QuadPart, 11u);
    target->Seek(move, STREAM_SEEK_SET, nullptr);
    std::memset(buf, 0, sizeof buf);
    target->Read(buf, 11, &done);
    EXPECT_STREQ(buf, "hello world");
    target->Release();

    ULARGE_INTEGER size;
    size.QuadPart = 5;
    EXPECT_EQ(s->SetSize(size), S_OK);
    EXPECT_EQ(mem.Size(), 5);

    IUnknown* unknown = nullptr;
    ASSERT_EQ(s->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(s->Release(), 0u);
    EXPECT_EQ(mem.Size(), 5);  // a referenced stream survives its adapter
}

TEST(StreamAdapter, AnOwnedStreamIsFreedWithTheLastReference) {
    int freed = 0;
    IStream* s = TStreamAdapter::Create(new CountedStream(freed), soOwned);
    s->AddRef();
    s->Release();
    EXPECT_EQ(freed, 0);
    s->Release();
    EXPECT_EQ(freed, 1);
}
