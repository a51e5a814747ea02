#include "scan/win/TwnGuardedCall.h"

#include <cstdint>
#include <mutex>

namespace twn {
namespace {

// The resume point of the guarded call running on this thread. Plain pointers: thread-local data here holds no
// object with a destructor.
struct GuardFrame {
    // Filled by __builtin_setjmp: frame and stack pointer and the resume address. The compiler keeps every
    // register it needs across the call itself, so nothing depends on a context captured by the system: in
    // 32-bit programs under Wine RtlCaptureContext records a stack pointer hundreds of bytes away from the
    // caller's, and resuming through it corrupted the calling thread's registers and stack.
    void* resume[5];
    // Set by the fault handler: the thread is on its way back to the resume point, and a further fault before it
    // gets there is not this call's to take.
    volatile LONG faulted;
#if defined(__i386__)
    // The head of the thread's frame-based handler chain when the call began: frames the abandoned code
    // registered must not stay on it.
    void* handlerChain;
#endif
};
// Set by the guarded call before the manager runs: the thread's slot exists before the handler reads it, as a
// first use may allocate.
thread_local GuardFrame* t_guard = nullptr;

bool IsProcessorFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_FLT_INVALID_OPERATION:
        case EXCEPTION_FLT_OVERFLOW:
        case EXCEPTION_FLT_UNDERFLOW:
        case EXCEPTION_FLT_INEXACT_RESULT:
        case EXCEPTION_FLT_DENORMAL_OPERAND:
        case EXCEPTION_FLT_STACK_CHECK: return true;
        default: return false;
    }
}

// Runs on the faulting thread, in place of the faulting instruction, on the stack below the abandoned code.
[[noreturn]] void ResumeAfterFault() { __builtin_longjmp(t_guard->resume, 1); }

// Vectored handlers see a fault before any frame-based handler of the faulting code, and before Wine's crash
// debugger. Only a fault on a thread inside a guarded call is taken: the thread goes on in ResumeAfterFault, which
// returns to where the call began.
LONG CALLBACK FaultHandler(EXCEPTION_POINTERS* info) {
    GuardFrame* frame = t_guard;
    if (!frame || frame->faulted || !IsProcessorFault(info->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    frame->faulted = 1;
    CONTEXT& context = *info->ContextRecord;
    // A stack pointer below the faulting code's, aligned as at a function's entry (a return address pushed).
#if defined(__i386__)
    context.Esp = ((context.Esp - 256) & ~std::uintptr_t(15)) - 4;
    context.Eip = reinterpret_cast<std::uintptr_t>(&ResumeAfterFault);
#else
    context.Rsp = ((context.Rsp - 256) & ~std::uintptr_t(15)) - 8;
    context.Rip = reinterpret_cast<std::uintptr_t>(&ResumeAfterFault);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

void InstallFaultHandler() {
    static std::once_flag installed;
    std::call_once(installed, [] { ::AddVectoredExceptionHandler(1, &FaultHandler); });
}

}  // namespace

std::uint16_t GuardedDSMCall(TDSMEntryProc entry, TW_IDENTITY* origin, TW_IDENTITY* destination, std::uint32_t dg,
                             std::uint16_t dat, std::uint16_t msg, TW_MEMREF data) {
    InstallFaultHandler();
    GuardFrame frame{};
#if defined(__i386__)
    frame.handlerChain = reinterpret_cast<NT_TIB*>(::NtCurrentTeb())->ExceptionList;
#endif
    GuardFrame* volatile guard = &frame;
    // Returns a second time, with 1, when a fault inside the call resumes here.
    if (__builtin_setjmp(frame.resume)) {
        t_guard = nullptr;
#if defined(__i386__)
        reinterpret_cast<NT_TIB*>(::NtCurrentTeb())->ExceptionList =
            static_cast<EXCEPTION_REGISTRATION_RECORD*>(guard->handlerChain);
#endif
        return TWRC_MANAGERFAULT;
    }
    t_guard = guard;
    const std::uint16_t rc = entry(origin, destination, dg, dat, msg, data);
    t_guard = nullptr;
    return rc;
}

}  // namespace twn
