#include "classlib/core/CallbackExceptions.h"

#include <cstdio>
#include <exception>

#include "classlib/core/Exceptions.h"

namespace {
TCallbackExceptionHandler g_handler;

void WriteToStandardError() noexcept {
    try {
        throw;
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "unknown exception\n");
    }
}
}  // namespace

void HandleCallbackException(TObject* sender) noexcept {
    if (!std::current_exception()) return;
    if (g_handler) {
        try {
            g_handler(sender);
            return;
        } catch (...) {
            // The handler itself failed: fall back to the plain report of its own error.
            WriteToStandardError();
            return;
        }
    }
    WriteToStandardError();
}

TCallbackExceptionHandler SetCallbackExceptionHandler(TCallbackExceptionHandler handler) {
    TCallbackExceptionHandler old = g_handler;
    g_handler = handler;
    return old;
}
