#include "classlib/core/Stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Owned.h"

TStream::~TStream() = default;

void TStream::SetSize(std::int64_t) { throw EStreamError("Stream cannot be resized"); }

std::int64_t TStream::Size() {
    const std::int64_t pos = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int32_t count) {
    if (count < 0) throw EReadError("Stream read error");
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int32_t count) {
    if (count < 0) throw EWriteError("Stream write error");
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) throw EReadError("Stream read error");
    const std::int64_t total = count;
    constexpr std::int32_t kChunk = 61440;
    std::unique_ptr<Byte[]> buf(new Byte[kChunk]);
    while (count > 0) {
        const std::int32_t n = std::int32_t(std::min<std::int64_t>(count, kChunk));
        source.ReadBuffer(buf.get(), n);
        WriteBuffer(buf.get(), n);
        count -= n;
    }
    return total;
}

std::int32_t TCustomMemoryStream::Read(void* buffer, std::int32_t count) {
    if (count <= 0 || position_ < 0 || position_ >= size_) return 0;
    const std::int64_t n = std::min<std::int64_t>(count, size_ - position_);
    std::memcpy(buffer, static_cast<const Byte*>(memory_) + position_, size_t(n));
    position_ += n;
    return std::int32_t(n);
}

std::int32_t TCustomMemoryStream::Write(const void*, std::int32_t) { throw EWriteError("Stream write error"); }

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    switch (origin) {
        case soBeginning: base = 0; break;
        case soCurrent: base = position_; break;
        case soEnd: base = size_; break;
    }
    std::int64_t pos;
    if (__builtin_add_overflow(base, offset, &pos) || pos < 0) throw EStreamError("Invalid stream position");
    position_ = pos;
    return position_;
}

void TCustomMemoryStream::SetPointer(void* data, std::int64_t size) {
    memory_ = data;
    size_ = size;
    position_ = 0;
}

void TCustomMemoryStream::SaveToStream(TStream& dest) {
    std::int64_t done = 0;
    while (done < size_) {
        const std::int32_t n = std::int32_t(std::min<std::int64_t>(size_ - done, 1 << 30));
        dest.WriteBuffer(static_cast<const Byte*>(memory_) + done, n);
        done += n;
    }
}

namespace {

void CloseFile(std::FILE* f) { std::fclose(f); }

}  // namespace

void TCustomMemoryStream::SaveToFile(const AnsiString& fileName) {
    TOwned<std::FILE, CloseFile> f(std::fopen(fileName.c_str(), "wb"));
    if (!f) throw EFCreateError("Cannot create file \"" + fileName + "\".");
    if (size_ > 0 && std::fwrite(memory_, 1, size_t(size_), f.get()) != size_t(size_))
        throw EWriteError("Stream write error");
    if (std::fclose(f.release()) != 0) throw EWriteError("Stream write error");
}

TMemoryStream::~TMemoryStream() = default;

void TMemoryStream::Reserve(std::int64_t capacity) {
    if (capacity <= std::int64_t(data_.size())) return;
    if (capacity > std::int64_t(std::numeric_limits<std::int32_t>::max()) * 2)
        throw EOutOfMemory("Out of memory while expanding memory stream");
    // Grow in steps of a quarter so that many small writes stay linear.
    std::int64_t grown = std::max<std::int64_t>(capacity, std::int64_t(data_.size()) + std::int64_t(data_.size()) / 4);
    grown = (grown + 8191) & ~std::int64_t(8191);
    try {
        data_.resize(size_t(grown));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory while expanding memory stream");
    }
    memory_ = data_.data();
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
    if (count <= 0) return 0;
    std::int64_t end;
    if (__builtin_add_overflow(position_, std::int64_t(count), &end)) throw EWriteError("Stream write error");
    Reserve(end);
    std::memcpy(data_.data() + position_, buffer, size_t(count));
    position_ = end;
    size_ = std::max(size_, end);
    return count;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size");
    Reserve(newSize);
    if (newSize > size_) std::memset(data_.data() + size_, 0, size_t(newSize - size_));
    size_ = newSize;
    if (position_ > size_) position_ = size_;
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    memory_ = nullptr;
    size_ = 0;
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const std::int64_t n = source.Size();
    SetSize(n);
    std::int64_t done = 0;
    while (done < n) {
        const std::int32_t chunk = std::int32_t(std::min<std::int64_t>(n - done, 1 << 30));
        source.ReadBuffer(data_.data() + done, chunk);
        done += chunk;
    }
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& fileName) {
    TOwned<std::FILE, CloseFile> f(std::fopen(fileName.c_str(), "rb"));
    if (!f) throw EFOpenError("Cannot open file \"" + fileName + "\".");
    std::vector<Byte> bytes;
    Byte chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    if (std::ferror(f.get())) throw EReadError("Stream read error");
    data_ = std::move(bytes);
    memory_ = data_.empty() ? nullptr : data_.data();
    size_ = std::int64_t(data_.size());
    position_ = 0;
}
