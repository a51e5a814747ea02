// What becomes of an exception that reaches a system callback (a window procedure, a timer, a hook, an
// enumeration): it must never unwind into the system. Each callback catches everything and passes it here,
// inside its catch block; the application installs its own handler (which shows the error and lets the
// program go on), and until then the error is written to the standard error stream and dropped.
#pragma once
#include "classlib/core/Method.h"

class TObject;

using TCallbackExceptionHandler = Method<void(TObject* sender)>;

// Call only inside a catch block: handles the exception being caught. Never throws.
void HandleCallbackException(TObject* sender) noexcept;

// The last resort, for a report that itself failed: writes the exception being caught to the standard error
// stream. Call only inside a catch block. Never throws.
void WriteExceptionToStandardError() noexcept;

// Installs the handler (the application's HandleException); returns the previous one. Null restores the
// default.
TCallbackExceptionHandler SetCallbackExceptionHandler(TCallbackExceptionHandler handler);
