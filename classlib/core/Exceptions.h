// The exception classes of the class library. Every error the library raises derives from Exception,
// which carries the message shown by the default error report.
#pragma once
#include <exception>

#include "classlib/core/Format.h"
#include "classlib/core/Types.h"

class Exception : public std::exception {
public:
    explicit Exception(AnsiString message = AnsiString(), int helpContext = 0);
    ~Exception() override;
    const AnsiString& Message() const { return message_; }
    void SetMessage(AnsiString message) { message_ = std::move(message); }
    int HelpContext() const { return helpContext_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    AnsiString message_;
    int helpContext_;
};

#define CLASSLIB_DECLARE_EXCEPTION(Name, Base) \
    class Name : public Base {                 \
    public:                                    \
        using Base::Base;                      \
    }

// Silent exception: ends an operation without a report.
CLASSLIB_DECLARE_EXCEPTION(EAbort, Exception);
CLASSLIB_DECLARE_EXCEPTION(EConvertError, Exception);
CLASSLIB_DECLARE_EXCEPTION(EInvalidCast, Exception);
CLASSLIB_DECLARE_EXCEPTION(EOutOfMemory, Exception);
CLASSLIB_DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory);
CLASSLIB_DECLARE_EXCEPTION(EListError, Exception);
CLASSLIB_DECLARE_EXCEPTION(EStringListError, Exception);
CLASSLIB_DECLARE_EXCEPTION(EComponentError, Exception);
CLASSLIB_DECLARE_EXCEPTION(EInvalidOperation, Exception);
CLASSLIB_DECLARE_EXCEPTION(EResNotFound, Exception);
CLASSLIB_DECLARE_EXCEPTION(EThread, Exception);
CLASSLIB_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
CLASSLIB_DECLARE_EXCEPTION(EPrinter, Exception);
CLASSLIB_DECLARE_EXCEPTION(EMenuError, Exception);

// Streams and streaming.
CLASSLIB_DECLARE_EXCEPTION(EStreamError, Exception);
CLASSLIB_DECLARE_EXCEPTION(EFCreateError, EStreamError);
CLASSLIB_DECLARE_EXCEPTION(EFOpenError, EStreamError);
CLASSLIB_DECLARE_EXCEPTION(EFilerError, EStreamError);
CLASSLIB_DECLARE_EXCEPTION(EReadError, EFilerError);
CLASSLIB_DECLARE_EXCEPTION(EWriteError, EFilerError);
CLASSLIB_DECLARE_EXCEPTION(EClassNotFound, EFilerError);

// Arithmetic: integer errors and floating-point errors.
CLASSLIB_DECLARE_EXCEPTION(EExternal, Exception);
CLASSLIB_DECLARE_EXCEPTION(EIntError, EExternal);
CLASSLIB_DECLARE_EXCEPTION(EDivByZero, EIntError);
CLASSLIB_DECLARE_EXCEPTION(ERangeError, EIntError);
CLASSLIB_DECLARE_EXCEPTION(EIntOverflow, EIntError);
CLASSLIB_DECLARE_EXCEPTION(EMathError, EExternal);
CLASSLIB_DECLARE_EXCEPTION(EInvalidOp, EMathError);
CLASSLIB_DECLARE_EXCEPTION(EZeroDivide, EMathError);
CLASSLIB_DECLARE_EXCEPTION(EOverflow, EMathError);

// An operating-system call failed; ErrorCode is the system's error number.
class EOSError : public Exception {
public:
    EOSError(AnsiString message, std::uint32_t errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    std::uint32_t ErrorCode() const { return errorCode_; }

private:
    std::uint32_t errorCode_;
};

// An exception of class E whose message is built by the type-checked Format, so that a message text with a
// specifier its arguments do not match raises EConvertError instead of reading what was never passed:
//   throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
template <class E>
E CreateFmt(std::string_view format, std::initializer_list<TVarRec> args) {
    return E(Format(format, args));
}
