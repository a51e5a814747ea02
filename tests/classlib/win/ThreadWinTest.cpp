// The shared thread cases against the Win32 backend.
#include "classlib/win/Win32.h"

#include "classlib/core/ThreadCases.inc"

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
