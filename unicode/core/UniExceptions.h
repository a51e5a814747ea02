// Errors raised by the Unicode layer.
#pragma once
#include "classlib/core/Exceptions.h"
#include "classlib/core/Types.h"

// General error of the Unicode layer (bad input such as malformed UTF-7, or an impossible request).
CLASSLIB_DECLARE_EXCEPTION(EUniGeneralError, Exception);
// Internal error of the Unicode layer: a state that correct code never reaches.
CLASSLIB_DECLARE_EXCEPTION(EUniInternalError, Exception);

// A file stream opened by wide name could not be created or opened. The wide message is kept as it was
// built; the exception's (8-bit) message is its copy in the system ANSI code page.
class EWideFileStreamError : public EStreamError {
public:
    explicit EWideFileStreamError(WideString wideMessage);
    const WideString& WideMessage() const { return wideMessage_; }

private:
    WideString wideMessage_;
};

class EWideFCreateError : public EWideFileStreamError {
public:
    using EWideFileStreamError::EWideFileStreamError;
};

class EWideFOpenError : public EWideFileStreamError {
public:
    using EWideFileStreamError::EWideFileStreamError;
};
