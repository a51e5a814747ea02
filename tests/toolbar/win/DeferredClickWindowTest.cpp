#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/win/Win32.h"
#include "tests/support/MessagePump.h"
#include "toolbar/core/DeferredClicks.h"
#include "toolbar/core/TTBCustomItem.h"
#include "tests/toolbar/support/ClickTarget.h"

namespace {

using Target = toolbartest::ClickTarget;

BOOL CALLBACK FindClickWindow(HWND w, LPARAM found) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    if (std::string(name) != "TBDeferredClickWindow") return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
}

HWND ThreadClickWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindClickWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The clicks are posted before: handling what is queued runs them.
using testsupport::DispatchThreadMessages;

class Reporter : public TObject {
public:
    void Report(TObject*) {
        try {
            throw;
        } catch (const std::exception& e) {
            last = e.what();
        }
    }
    std::string last;
};

}  // namespace

TEST(DeferredClickWindow, ClicksRunFromTheMessageLoopAndForgedMessagesAreIgnored) {
    TObjectPtr<Target> item = MakeObject<Target>(nullptr);
    const int slot = tb::PostDeferredClick(item.get());
    ASSERT_EQ(slot, 0);
    HWND window = ThreadClickWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(item->clicks, 0);  // not before the loop runs
    // Messages with slots that were never posted, and other messages, do nothing.
    PostMessageA(window, tb::kDeferredClickMessage, 0, 7);
    PostMessageA(window, tb::kDeferredClickMessage, 0, -1);
    SendMessageA(window, WM_USER + 1, 0, 0);
    DispatchThreadMessages();
    EXPECT_EQ(item->clicks, 1);
    EXPECT_EQ(tb::DeferredClickSlotCount(), 0);
}

TEST(DeferredClickWindow, AnErrorGoesToTheApplicationsHandlerAndTheLoopGoesOn) {
    Reporter reporter;
    const TCallbackExceptionHandler previous = SetCallbackExceptionHandler(MakeMethod<&Reporter::Report>(&reporter));
    TObjectPtr<Target> failing = MakeObject<Target>(nullptr);
    TObjectPtr<Target> next = MakeObject<Target>(nullptr);
    failing->onClick = [] { throw std::runtime_error("the command failed"); };
    tb::PostDeferredClick(failing.get());
    tb::PostDeferredClick(next.get());
    DispatchThreadMessages();
    SetCallbackExceptionHandler(previous);
    EXPECT_EQ(reporter.last, "the command failed");
    EXPECT_EQ(next->clicks, 1);
}

TEST(DeferredClickWindow, TheWindowGoesWithTheThreadsLastItemEvenFromItsOwnClick) {
    Target* last = Create<Target>(nullptr);
    last->onClick = [&] { Free(last); };
    tb::PostDeferredClick(last);
    HWND window = ThreadClickWindow();
    ASSERT_NE(window, nullptr);
    DispatchThreadMessages();
    EXPECT_EQ(tb::DeferredClickUsers(), 0);
    EXPECT_FALSE(IsWindow(window));
    // The next user makes a new one when it posts.
    TObjectPtr<Target> again = MakeObject<Target>(nullptr);
    tb::PostDeferredClick(again.get());
    DispatchThreadMessages();
    EXPECT_EQ(again->clicks, 1);
}

namespace {
struct ThreadRun {
    int clicks = 0;
    int usersSeen = 0;
    DWORD clickThread = 0;
};
DWORD WINAPI ClickOnOwnThread(LPVOID param) {
    auto* run = static_cast<ThreadRun*>(param);
    TObjectPtr<Target> item = MakeObject<Target>(nullptr);
    run->usersSeen = tb::DeferredClickUsers();
    item->onClick = [run] { run->clickThread = GetCurrentThreadId(); };
    tb::PostDeferredClick(item.get());
    DispatchThreadMessages();
    run->clicks = item->clicks;
    return 0;
}
}  // namespace

TEST(DeferredClickWindow, EachThreadHasItsOwnListAndWindow) {
    TObjectPtr<Target> mine = MakeObject<Target>(nullptr);
    tb::PostDeferredClick(mine.get());
    ThreadRun run;
    HANDLE thread = CreateThread(nullptr, 0, &ClickOnOwnThread, &run, 0, nullptr);
    const DWORD threadId = GetThreadId(thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(run.usersSeen, 1);  // this thread's item is not counted there
    EXPECT_EQ(run.clicks, 1);
    EXPECT_EQ(run.clickThread, threadId);
    EXPECT_EQ(mine->clicks, 0);  // still waiting for this thread's loop
    DispatchThreadMessages();
    EXPECT_EQ(mine->clicks, 1);
}
