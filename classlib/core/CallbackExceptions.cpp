#include "classlib/core/CallbackExceptions.h"

#include <cstdio>
#include <exception>

#include "classlib/core/Exceptions.h"

namespace {
TCallbackExceptionHandler g_handler;
}  // namespace

void WriteExceptionToStandardError() noexcept {
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

void HandleCallbackException(TObject* sender) noexcept {
    if (!std::current_exception()) return;
    if (g_handler) {
        try {
            g_handler(sender);
            return;
        } catch (...) {
            // The handler itself failed: fall back to the plain report of its own error.
            WriteExceptionToStandardError();
            return;
        }
    }
    WriteExceptionToStandardError();
}

TCallbackExceptionHandler SetCallbackExceptionHandler(TCallbackExceptionHandler handler) {
    TCallbackExceptionHandler old = g_handler;
    g_handler = handler;
    return old;
}
