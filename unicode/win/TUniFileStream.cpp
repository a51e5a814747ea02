#include "unicode/win/TUniFileStream.h"

#include "classlib/win/Win32.h"
#include "unicode/core/TUniStrings.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/win/WideFiles.h"

namespace {

constexpr std::uint16_t kCreateMode = 0xFFFF;

WideString FailureMessage(const char16_t* verb, const WideString& fileName, DWORD error) {
    return WideString(u"Cannot ") + verb + u" file \"" + uni::FullFileNameW(fileName) + u"\". " +
           uni::SystemErrorTextW(error);
}

HANDLE OpenOrCreate(const WideString& fileName, std::uint16_t mode) {
    if (mode == kCreateMode) {
        HANDLE h = uni::CreateNamedFileW(fileName);
        if (h == INVALID_HANDLE_VALUE) throw EWideFCreateError(FailureMessage(u"create", fileName, GetLastError()));
        return h;
    }
    HANDLE h = uni::OpenNamedFileW(fileName, mode);
    if (h == INVALID_HANDLE_VALUE) throw EWideFOpenError(FailureMessage(u"open", fileName, GetLastError()));
    return h;
}

}  // namespace

TUniFileStream::TUniFileStream(const WideString& fileName, std::uint16_t mode)
    : THandleStream(reinterpret_cast<THandle>(OpenOrCreate(fileName, mode))), fileName_(fileName) {}

TUniFileStream::~TUniFileStream() {
    if (HandleValid()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

namespace uni {

void InstallWideFileStreams() {
    SetWideFileStreamFactory([](const WideString& fileName, std::uint16_t mode) -> std::unique_ptr<TStream> {
        return std::make_unique<TUniFileStream>(fileName, mode);
    });
}

}  // namespace uni
