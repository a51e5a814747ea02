#include "themed/core/TCompressionStream.h"

#include <zlib.h>

#include <cstring>

namespace themed {

void RaiseZlibError(int code) {
    const char* text = zError(code);
    throw EZlibError(AnsiString("Compression error: ") + (text ? text : ""));
}

}  // namespace themed

TCustomZlibStream::TCustomZlibStream(TStream& target) : target_(target), targetPosition_(target.Position()) {}

TCustomZlibStream::~TCustomZlibStream() = default;

namespace {
constexpr std::size_t kBufferSize = 65536;
}

struct TCompressionStream::State {
    z_stream z{};
    std::int64_t totalIn = 0;
};

TCompressionStream::TCompressionStream(TStream& target)
    : TCustomZlibStream(target), state_(std::make_unique<State>()), buffer_(kBufferSize) {
    const int rc = deflateInit2(&state_->z, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
    if (rc < 0) themed::RaiseZlibError(rc);
    state_->z.next_out = buffer_.data();
    state_->z.avail_out = kBufferSize;
}

TCompressionStream::~TCompressionStream() {
    if (!finished_) {
        try {
            Finish();
        } catch (...) {
            // Nothing more can be done for a stream abandoned during an error.
        }
    }
    deflateEnd(&state_->z);
}

std::int32_t TCompressionStream::Read(void*, std::int32_t) { throw EZlibError("Invalid stream operation"); }

void TCompressionStream::FlushBuffer(std::size_t bytes) {
    if (bytes == 0) return;
    if (target_.Position() != targetPosition_) target_.SetPosition(targetPosition_);
    target_.WriteBuffer(buffer_.data(), std::int32_t(bytes));
    targetPosition_ = target_.Position();
    state_->z.next_out = buffer_.data();
    state_->z.avail_out = kBufferSize;
}

std::int32_t TCompressionStream::Write(const void* buffer, std::int32_t count) {
    if (count <= 0) return 0;
    if (finished_) throw EZlibError("Invalid stream operation");
    z_stream& z = state_->z;
    z.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    z.avail_in = uInt(count);
    while (z.avail_in > 0) {
        const int rc = deflate(&z, Z_NO_FLUSH);
        if (rc < 0) {
            z.next_in = nullptr;
            z.avail_in = 0;
            themed::RaiseZlibError(rc);
        }
        if (z.avail_out == 0) FlushBuffer(kBufferSize);
    }
    z.next_in = nullptr;
    state_->totalIn += count;
    return count;
}

std::int64_t TCompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == soCurrent) return state_->totalIn;
    throw EZlibError("Invalid stream operation");
}

void TCompressionStream::Finish() {
    if (finished_) return;
    finished_ = true;
    z_stream& z = state_->z;
    z.next_in = nullptr;
    z.avail_in = 0;
    for (;;) {
        const int rc = deflate(&z, Z_FINISH);
        if (rc < 0 && rc != Z_BUF_ERROR) themed::RaiseZlibError(rc);
        if (z.avail_out != 0) break;
        FlushBuffer(kBufferSize);
        if (rc == Z_STREAM_END) return;
    }
    FlushBuffer(kBufferSize - z.avail_out);
}
