#include "classlib/core/THandleStream.h"

#include "classlib/core/Exceptions.h"

using namespace classlib;

std::int32_t THandleStream::Read(void* buffer, std::int32_t count) {
    if (count <= 0) return 0;
    const std::int32_t n = fileio::ReadHandle(handle_, buffer, count);
    if (n < 0) throw EReadError("Stream read error. " + fileio::ErrorText(fileio::LastError()));
    return n;
}

std::int32_t THandleStream::Write(const void* buffer, std::int32_t count) {
    if (count <= 0) return 0;
    const std::int32_t n = fileio::WriteHandle(handle_, buffer, count);
    if (n < 0) throw EWriteError("Stream write error. " + fileio::ErrorText(fileio::LastError()));
    return n;
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t pos = fileio::SeekHandle(handle_, offset, int(origin));
    if (pos < 0) throw EStreamError("Invalid stream position");
    return pos;
}

void THandleStream::SetSize(std::int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size");
    const std::int64_t old = Position();
    Seek(newSize, soBeginning);
    if (!fileio::SetEndOfHandle(handle_))
        throw EStreamError("Cannot change the stream size. " + fileio::ErrorText(fileio::LastError()));
    if (old < newSize) Seek(old, soBeginning);
}
