// The preview worker with a provider whose thumbnails take as long as the test says: only the newest
// request reaches the dialog, a dialog closing while a thumbnail is made is not called, and a provider that
// raises gives no preview.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/core/TKelvoDialogPreviewThread.h"
#include "classlib/core/Synchronize.h"

namespace {

class TNamedThumbnail : public TKelvoThumbnail {
public:
    TNamedThumbnail(std::u16string name, std::int32_t width) : Name(std::move(name)), Width(width) {}
    void Draw(TLDeviceContext, const TKelvoRect& rect, TKelvoRect& drawn) override { drawn = rect; }
    std::u16string Name;
    std::int32_t Width;
};

class TSlowFormats : public TKelvoFileFormats {
public:
    std::int32_t GetCount() const override { return 0; }
    const TKelvoFileFormat* GetFormat(std::int32_t) const override { return nullptr; }
    std::unique_ptr<TKelvoThumbnail> GetThumbnail(const std::u16string& name, std::int32_t width,
                                                  std::int32_t) const override {
        ++calls;
        // Counted however the making ends, thrown out included.
        struct TCountOnExit {
            std::atomic<int>& count;
            ~TCountOnExit() { ++count; }
        } countOnExit{finished};
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));  // the time a real reader takes
        // A held name is made only once the test lets it go (or after a time no loaded machine needs).
        for (int waited = 0; name == held && !released && waited < 10000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (name == u"broken") throw std::runtime_error("not a picture");
        if (name == u"unknown") return nullptr;
        return std::make_unique<TNamedThumbnail>(name, width);
    }
    int delayMs = 0;
    std::u16string held;
    std::atomic<bool> released{false};
    mutable std::atomic<int> calls{0};
    mutable std::atomic<int> finished{0};
};

class TSink : public IKelvoPreviewSink {
public:
    void PreviewReady(std::unique_ptr<TKelvoThumbnail> thumbnail) override {
        names.push_back(static_cast<TNamedThumbnail&>(*thumbnail).Name);
    }
    std::vector<std::u16string> names;
};

// Serves the worker's synchronous calls for a while, as the dialog's message loop does: only to prove that
// nothing (more) arrives.
void Serve(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) CheckSynchronize(5);
}

// Serves them until done() holds; false when it still does not after a time no loaded machine needs.
template <class F>
bool ServeUntil(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        CheckSynchronize(5);
    }
    return true;
}

// The worker over a provider that takes delayMs per thumbnail.
struct TPreview {
    explicit TPreview(int delayMs) { formats.delayMs = delayMs; }
    TSlowFormats formats;
    TSink sink;
    TObjectPtr<TKelvoDialogPreviewThread> thread = MakeObject<TKelvoDialogPreviewThread>(formats, sink);
};

}  // namespace

TEST(DialogPreviewThread, SeveralQuickChoicesShowOnlyTheLast) {
    TPreview preview(60);
    auto& [formats, sink, thread] = preview;
    formats.held = u"first";  // still being made when the next two choices come, however slow this thread is
    thread->Request(u"first", 222, 222);
    ASSERT_TRUE(ServeUntil([&] { return formats.calls == 1; }));  // "first" is being made now
    thread->Request(u"second", 222, 222);
    thread->Request(u"third", 222, 222);
    formats.released = true;
    ASSERT_TRUE(ServeUntil([&] { return !sink.names.empty(); }));
    Serve(100);  // nothing else arrives
    ASSERT_EQ(sink.names, std::vector<std::u16string>{u"third"});
    EXPECT_EQ(formats.calls, 2);  // "second" was replaced before the worker took it

    thread->Request(u"fourth", 100, 80);
    ASSERT_TRUE(ServeUntil([&] { return sink.names.size() == 2; }));
    EXPECT_EQ(sink.names.back(), u"fourth");
}

TEST(DialogPreviewThread, ADialogClosingWhileAThumbnailIsMadeIsNotCalledAndDoesNotWait) {
    TPreview preview(150);
    auto& [formats, sink, thread] = preview;
    thread->Request(u"large", 222, 222);
    ASSERT_TRUE(ServeUntil([&] { return formats.calls == 1; }));  // the thumbnail is being made
    const auto start = std::chrono::steady_clock::now();
    thread->Stop();
    thread->WaitFor();  // serves the worker's synchronous call while it waits
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(formats.calls, 1);
    Serve(50);  // proves that no preview follows
    EXPECT_TRUE(sink.names.empty());
}

TEST(DialogPreviewThread, UnreadableFilesAndWithdrawnRequestsGiveNoPreview) {
    TPreview preview(40);
    auto& [formats, sink, thread] = preview;
    formats.held = u"withdrawn";  // made only after it was withdrawn, however slow this thread is
    thread->Request(u"broken", 222, 222);
    ASSERT_TRUE(ServeUntil([&] { return formats.finished == 1; }));
    thread->Request(u"unknown", 222, 222);
    ASSERT_TRUE(ServeUntil([&] { return formats.finished == 2; }));
    thread->Request(u"withdrawn", 222, 222);
    ASSERT_TRUE(ServeUntil([&] { return formats.calls == 3; }));
    thread->Request(u"", 222, 222);  // the next choice could not be read
    formats.released = true;
    ASSERT_TRUE(ServeUntil([&] { return formats.finished == 3; }));
    Serve(50);  // proves that no preview follows
    EXPECT_TRUE(sink.names.empty());
    EXPECT_EQ(formats.calls, 3);
}
