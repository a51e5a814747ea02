#include "unicode/core/UniExceptions.h"

#include "unicode/core/CodePages.h"

EWideFileStreamError::EWideFileStreamError(WideString wideMessage)
    : EStreamError(uni::EncodeCodePage(wideMessage, 0)), wideMessage_(std::move(wideMessage)) {}
