#include "classlib/core/TFileStream.h"

#include "classlib/core/Exceptions.h"

using namespace classlib;

namespace {

AnsiString FailureText(const char* verb, const AnsiString& fileName, const AnsiString& reason) {
    return AnsiString("Cannot ") + verb + " file \"" + fileio::FullPathName(fileName) + "\". " + reason;
}

}  // namespace

TFileStream::TFileStream(const AnsiString& fileName, std::uint16_t mode)
    : THandleStream(INVALID_HANDLE), fileName_(fileName) {
    if (mode == fmCreate) {
        handle_ = fileio::CreateFileHandle(fileName);
        if (!HandleValid())
            throw EFCreateError(FailureText("create", fileName, fileio::ErrorText(fileio::LastError())));
        return;
    }
    const unsigned access = mode & 3u;
    const unsigned sharing = mode / 16u;
    if (access > 2 || sharing > 4) throw EFOpenError(FailureText("open", fileName, "Invalid file mode."));
    handle_ = fileio::OpenFileHandle(fileName, access, sharing);
    if (!HandleValid()) throw EFOpenError(FailureText("open", fileName, fileio::ErrorText(fileio::LastError())));
}

TFileStream::~TFileStream() {
    if (HandleValid()) fileio::CloseHandle(handle_);
}
