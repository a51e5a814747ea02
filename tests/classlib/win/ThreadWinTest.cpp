// What only the product's threads have: system thread ids and handles. (The other thread cases run in
// the platform-free tests, on both systems.)
#include "classlib/win/Win32.h"

#define THREAD_CASES_HELPERS_ONLY
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
