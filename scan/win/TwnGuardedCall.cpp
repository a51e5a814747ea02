#include "scan/win/TwnGuardedCall.h"

#include <mutex>

namespace twn {
namespace {

// The resume point of the guarded call running on this thread. Plain pointers: thread-local data here holds no
// object with a destructor.
struct GuardFrame {
    CONTEXT* resume;
    volatile LONG faulted;
#if defined(__i386__)
    // The head of the thread's frame-based handler chain when the call began: frames the abandoned code
    // registered must not stay on it.
    void* handlerChain;
#endif
};
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
        case EXCEPTION_FLT_STACK_CHECK:
            return true;
        default:
            return false;
    }
}

// Vectored handlers see a fault before any frame-based handler of the faulting code, and before Wine's crash
// debugger. Only a fault on a thread inside a guarded call is taken: execution resumes where the call began.
LONG CALLBACK FaultHandler(EXCEPTION_POINTERS* info) {
    GuardFrame* frame = t_guard;
    if (!frame || !IsProcessorFault(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    t_guard = nullptr;
    frame->faulted = 1;
    *info->ContextRecord = *frame->resume;
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
    alignas(16) CONTEXT resume;
    GuardFrame frame{};
    frame.resume = &resume;
#if defined(__i386__)
    frame.handlerChain = reinterpret_cast<NT_TIB*>(::NtCurrentTeb())->ExceptionList;
#endif
    GuardFrame* volatile guard = &frame;
    // Returns a second time, with the registers of this moment, when the handler resumes here after a fault.
    ::RtlCaptureContext(&resume);
    if (guard->faulted) {
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
