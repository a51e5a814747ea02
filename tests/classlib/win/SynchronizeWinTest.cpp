// Synchronised calls with the application's wake-up: served inside a system modal loop, while the main thread
// waits for the worker, and while the application's own loop sleeps.
#include <gtest/gtest.h>

#include <atomic>

#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "classlib/win/Win32.h"

#define THREAD_CASES_HELPERS_ONLY
#include "tests/classlib/core/ThreadCases.inc"

using namespace threadcases;

TEST(SynchronizeWin, AWorkerIsServedWhileTheMainThreadSitsInASystemMessageBox) {
    apptest::EnsureApplication();
    const DWORD mainThread = ::GetCurrentThreadId();
    std::atomic<bool> ran{false};
    bool onMain = false;
    auto worker = StartBody([&](BodyThread& self) {
        // Only once the box's own loop runs.
        testsupport::WaitForDialog({.thread = mainThread});
        self.Synchronize([&] {
            onMain = IsMainThread();
            ran = true;
        });
    });
    {
        apptest::MessageBoxCloser closer(nullptr, 2 * testsupport::kPumpTimeoutMs, [&] { return ran.load(); });
        ::MessageBoxA(nullptr, "Waiting for a synchronised call", "SynchronizeWin", MB_OK);
    }
    EXPECT_TRUE(ran);
    EXPECT_TRUE(onMain);
    worker->WaitFor();  // also releases the worker should the box have been closed without serving it
}

TEST(SynchronizeWin, WaitForOnTheMainThreadServesCallsAndSentMessagesOfTheWorker) {
    apptest::EnsureApplication();
    int served = 0;
    std::atomic<int> answered{0};
    struct Echo : TObject {
        bool Hook(TMessage& m) {
            if (m.Msg != WM_APP + 41) return false;
            m.Result = static_cast<std::intptr_t>(m.WParam) + 1;
            return true;
        }
    } echo;
    Application->HookMainWindow(MakeMethod<&Echo::Hook>(&echo));
    auto worker = StartBody([&](BodyThread& self) {
        for (int i = 0; i < 5; ++i) {
            self.Synchronize([&] { ++served; });
            if (::SendMessageA(Application->Handle(), WM_APP + 41, i, 0) == i + 1) ++answered;
        }
    });
    worker->WaitFor();
    Application->UnhookMainWindow(MakeMethod<&Echo::Hook>(&echo));
    EXPECT_EQ(served, 5);
    EXPECT_EQ(answered, 5);
}

TEST(SynchronizeWin, TheWakeUpRousesTheApplicationLoopWhileItWaitsForMessages) {
    apptest::EnsureApplication();
    Application->ProcessMessages();
    std::atomic<bool> ran{false};
    const HANDLE finished = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto worker = StartBody([&](BodyThread& self) {
        // Most likely the main thread is asleep in WaitMessage by then; should it not be, the call is served
        // all the same, so a busy machine cannot fail the test, only test the wake-up less sharply.
        ::Sleep(50);
        self.Synchronize([&] { ran = true; });
        ::SetEvent(finished);
    });
    // A late message keeps a broken wake-up from hanging the test.
    std::thread guard([&] {
        ::WaitForSingleObject(finished, testsupport::kPumpTimeoutMs);
        ::PostMessageA(Application->Handle(), WM_APP + 42, 0, 0);
    });
    const DWORD start = ::GetTickCount();
    while (!ran && ::GetTickCount() - start < 6000) Application->HandleMessage();
    const DWORD took = ::GetTickCount() - start;
    EXPECT_TRUE(ran);
    EXPECT_LT(took, 4000u);
    worker->WaitFor();
    guard.join();
    ::CloseHandle(finished);
}
