// A stream over an operating-system file handle it does not own.
#pragma once
#include "classlib/core/FileBackend.h"
#include "classlib/core/Stream.h"

class THandleStream : public TStream {
public:
    explicit THandleStream(THandle handle) : handle_(handle) {}

    // Reads up to count bytes; raises EReadError with the system text when the system call fails, so
    // that a broken read is never mistaken for the end of the file.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    // Writes up to count bytes; raises EWriteError when the system call fails.
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    // Raises EStreamError "Invalid stream position" when the system refuses the position.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Moves to newSize and makes the file end there.
    void SetSize(std::int64_t newSize) override;

    THandle Handle() const { return handle_; }
    // Valid handles are never negative: the invalid value is -1 on both systems.
    bool HandleValid() const { return handle_ >= 0; }

protected:
    THandle handle_;
};
