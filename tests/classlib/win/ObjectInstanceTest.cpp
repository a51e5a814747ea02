// Object instances (window procedures bound to a method) and utility windows.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/TObject.h"
#include "classlib/win/ObjectInstance.h"
#include "tests/support/MessagePump.h"

namespace {

struct TRecorder : TObject {
    int id = 0;
    int calls = 0;
    TMessage last;
    DWORD thread = 0;
    std::vector<UINT> seen;

    void WndProc(TMessage& message) {
        ++calls;
        last = message;
        seen.push_back(message.Msg);
        thread = ::GetCurrentThreadId();
        message.Result = id * 1000 + static_cast<std::intptr_t>(message.Msg);
    }
    void Fail(TMessage&) { throw EInvalidOperation("handler failed"); }
};

LRESULT Call(WNDPROC proc, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return ::CallWindowProcA(proc, reinterpret_cast<HWND>(0x1234), msg, wp, lp);
}

TEST(ObjectInstance, ThunkCallsTheBoundMethodWithTheMessage) {
    TRecorder r;
    r.id = 7;
    TObjectInstance instance(MakeMethod<&TRecorder::WndProc>(&r));
    // Full-width parameters come through unchanged (high bits on 64-bit systems, the sign of LParam).
    const WPARAM wp = static_cast<WPARAM>(~std::uintptr_t(0) - 5);
    const LPARAM lp = -123456;
    EXPECT_EQ(Call(instance.Proc(), WM_APP + 3, wp, lp), 7 * 1000 + WM_APP + 3);
    EXPECT_EQ(r.calls, 1);
    EXPECT_EQ(r.last.Msg, UINT(WM_APP + 3));
    EXPECT_EQ(r.last.WParam, wp);
    EXPECT_EQ(r.last.LParam, lp);
    EXPECT_EQ(r.last.Result, 0);  // the record starts with no result
    // The system may call it directly as well.
    EXPECT_EQ(instance.Proc()(nullptr, WM_USER, 1, 2), 7 * 1000 + WM_USER);
    EXPECT_EQ(r.calls, 2);
}

TEST(ObjectInstance, InstancesStayDistinctAndFreedBlocksAreReused) {
    TRecorder a, b;
    a.id = 1;
    b.id = 2;
    WNDPROC pa = MakeObjectInstance(MakeMethod<&TRecorder::WndProc>(&a));
    WNDPROC pb = MakeObjectInstance(MakeMethod<&TRecorder::WndProc>(&b));
    EXPECT_NE(pa, pb);
    EXPECT_EQ(Call(pb, WM_NULL), 2000);
    EXPECT_EQ(Call(pa, WM_NULL), 1000);
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);

    FreeObjectInstance(pb);
    WNDPROC pc = MakeObjectInstance(MakeMethod<&TRecorder::WndProc>(&a));
    EXPECT_EQ(pc, pb);  // the freed block is handed out again, now bound to a
    EXPECT_EQ(Call(pc, WM_NULL), 1000);
    EXPECT_EQ(b.calls, 1);

    // Freeing twice (or freeing null) must not put the block on the free list twice.
    FreeObjectInstance(pc);
    FreeObjectInstance(pc);
    FreeObjectInstance(nullptr);
    WNDPROC p1 = MakeObjectInstance(MakeMethod<&TRecorder::WndProc>(&a));
    WNDPROC p2 = MakeObjectInstance(MakeMethod<&TRecorder::WndProc>(&b));
    EXPECT_NE(p1, p2);
    EXPECT_EQ(Call(p1, WM_NULL), 1000);
    EXPECT_EQ(Call(p2, WM_NULL), 2000);
    for (WNDPROC p : {pa, p1, p2}) FreeObjectInstance(p);

    EXPECT_THROW(MakeObjectInstance(TWndMethod()), EInvalidOperation);
}

TEST(ObjectInstance, ManyInstancesSpanSeveralPages) {
    constexpr int kCount = 1000;  // far more than one page holds
    std::vector<TRecorder> objects(kCount);
    std::vector<WNDPROC> procs;
    for (int i = 0; i < kCount; ++i) {
        objects[i].id = i;
        procs.push_back(MakeObjectInstance(MakeMethod<&TRecorder::WndProc>(&objects[i])));
    }
    for (int i = kCount; i-- > 0;) ASSERT_EQ(Call(procs[i], WM_APP), i * 1000 + WM_APP) << i;
    for (int i = 0; i < kCount; ++i) EXPECT_EQ(objects[i].calls, 1) << i;
    for (WNDPROC p : procs) FreeObjectInstance(p);
}

TEST(ObjectInstance, AnExceptionInTheMethodStopsAtTheInstance) {
    static int handled = 0;
    struct Handler : TObject {
        void Handle(TObject*) { ++handled; }
    } handler;
    const TCallbackExceptionHandler saved = SetCallbackExceptionHandler(MakeMethod<&Handler::Handle>(&handler));
    TRecorder r;
    TObjectInstance instance(MakeMethod<&TRecorder::Fail>(&r));
    EXPECT_EQ(Call(instance.Proc(), WM_APP), 0);
    SetCallbackExceptionHandler(saved);
    EXPECT_EQ(handled, 1);
}

TEST(UtilityWindow, ReceivesMessagesAndIsHidden) {
    TRecorder r;
    r.id = 3;
    HWND wnd = AllocateHWnd(MakeMethod<&TRecorder::WndProc>(&r));
    ASSERT_NE(wnd, nullptr);
    EXPECT_FALSE(::IsWindowVisible(wnd));
    EXPECT_EQ(::SendMessageA(wnd, WM_APP + 1, 5, 6), 3000 + WM_APP + 1);
    EXPECT_EQ(r.last.WParam, 5u);
    EXPECT_EQ(r.last.LParam, 6);
    const int before = r.calls;
    DeallocateHWnd(wnd);
    EXPECT_FALSE(::IsWindow(wnd));
    // Detached before destruction: the object hears nothing of it.
    EXPECT_EQ(r.calls, before);

    // Without a method the window answers by default.
    HWND plain = AllocateHWnd(TWndMethod());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(::SendMessageA(plain, WM_GETTEXTLENGTH, 0, 0), 0);
    DeallocateHWnd(plain);
    EXPECT_FALSE(::IsWindow(plain));
    DeallocateHWnd(nullptr);
}

TEST(UtilityWindow, WorksOnAWorkerThread) {
    TRecorder r;
    std::promise<HWND> created;
    std::future<HWND> window = created.get_future();
    std::atomic<bool> received{false};
    DWORD workerId = 0;
    std::thread worker([&] {
        workerId = ::GetCurrentThreadId();
        HWND wnd = AllocateHWnd(MakeMethod<&TRecorder::WndProc>(&r));
        created.set_value(wnd);
        testsupport::PumpUntil(
            [&] {
                for (UINT m : r.seen)
                    if (m == WM_APP + 9) return true;
                return false;
            },
            5000);
        received = !r.seen.empty() && r.last.Msg == WM_APP + 9;
        DeallocateHWnd(wnd);
    });
    HWND wnd = window.get();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(::PostMessageA(wnd, WM_APP + 9, 11, 12));
    worker.join();
    EXPECT_TRUE(received);
    EXPECT_EQ(r.last.WParam, 11u);
    EXPECT_EQ(r.thread, workerId);
    EXPECT_FALSE(::IsWindow(wnd));
}

}  // namespace
