// Write-only deflate stream: compresses what is written to it into a target stream.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Stream.h"

// A failure reported by the compression library.
CLASSLIB_DECLARE_EXCEPTION(EZlibError, Exception);

namespace themed {

// Raises EZlibError "Compression error: " followed by the library's message for the code.
[[noreturn]] void RaiseZlibError(int code);

}  // namespace themed

// Common base of the zlib-backed streams: the target stream and where the next bytes go.
class TCustomZlibStream : public TStream {
public:
    explicit TCustomZlibStream(TStream& target);
    ~TCustomZlibStream() override;

protected:
    TStream& target_;
    std::int64_t targetPosition_;
};

// Deflate at level 9 (zlib format, window bits 15, memory level 8, default strategy) into the target
// through a 64 KiB buffer. Finish() ends the compressed stream and writes what is left; the destructor
// finishes a stream that was not finished (swallowing errors, since a destructor must not throw) and
// releases the deflate state.
class TCompressionStream : public TCustomZlibStream {
public:
    explicit TCompressionStream(TStream& target);
    ~TCompressionStream() override;
    TCompressionStream(const TCompressionStream&) = delete;
    TCompressionStream& operator=(const TCompressionStream&) = delete;

    std::int32_t Read(void* buffer, std::int32_t count) override;  // raises: write-only
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;  // only position queries
    void Finish();

private:
    struct State;
    void FlushBuffer(std::size_t bytes);
    std::unique_ptr<State> state_;
    std::vector<Byte> buffer_;
    bool finished_ = false;
};
