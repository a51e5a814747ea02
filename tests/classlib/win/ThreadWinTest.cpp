// What only the product's threads have: system thread ids and handles. (The other thread cases run in
// the platform-free tests, on both systems.)
#include "classlib/win/Win32.h"

#define THREAD_CASES_HELPERS_ONLY
#include "tests/classlib/core/ThreadCases.inc"
#include "tests/support/MessagePump.h"

TEST(ThreadWin, IdsAndHandlesAreTheSystemsOwn) {
    using namespace threadcases;
    EXPECT_EQ(classlib::threads::SysCurrentThreadId(), ::GetCurrentThreadId());
    auto t = StartBody([](BodyThread&) {}, true);
    t->Start();
    const HANDLE h = reinterpret_cast<HANDLE>(t->Handle());
    EXPECT_EQ(::GetThreadId(h), DWORD(t->ThreadID()));
    t->WaitFor();
    EXPECT_EQ(::WaitForSingleObject(h, 0), DWORD(WAIT_OBJECT_0));
}

namespace {

// The arrangement of a component that serves synchronised calls itself for the whole run: the
// wake-up posts a thread message to the main thread, and a message hook there runs the calls.
DWORD gMainThread = 0;
std::atomic<int> gServedByHook{0};

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && msg->message == WM_NULL && IsMainThread() && CheckSynchronize()) ++gServedByHook;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct ThreadMessageWaker : TObject {
    void Wake(TObject*) { ::PostThreadMessageA(gMainThread, WM_NULL, 0, 0); }
};

}  // namespace

TEST(ThreadWin, AThreadMessageAndAMessageHookServeSynchronisedCalls) {
    using namespace threadcases;
    gMainThread = ::GetCurrentThreadId();
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the main thread gets its message queue
    HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, &GetMessageHook, nullptr, gMainThread);
    ASSERT_NE(hook, nullptr);
    ThreadMessageWaker waker;
    const TNotifyEvent saved = GetWakeMainThread();
    SetWakeMainThread(MakeMethod<&ThreadMessageWaker::Wake>(&waker));

    std::atomic<bool> done{false};
    bool ranOnMain = false;
    auto t = StartBody([&](BodyThread& self) {
        self.Synchronize([&] { ranOnMain = IsMainThread(); });
        done = true;
    });
    // An ordinary message loop: nothing here calls CheckSynchronize itself.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return done.load(); }, 10000));
    EXPECT_TRUE(ranOnMain);
    EXPECT_EQ(gServedByHook, 1);
    t->WaitFor();
    SetWakeMainThread(saved);
    ::UnhookWindowsHookEx(hook);
}
