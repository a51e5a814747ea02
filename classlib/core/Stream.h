// Byte streams: the abstract stream and streams over memory.
// File and handle streams (THandleStream, TFileStream) and resource streams live in their own files.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Types.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    virtual ~TStream();
    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
    // Writes up to count bytes; returns how many were written.
    virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
    // Moves the position; returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    // Changes the size; the base raises EStreamError (the stream cannot be resized).
    virtual void SetSize(std::int64_t newSize);

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, soBeginning); }
    virtual std::int64_t Size();
    // Bytes left between the position and the end.
    std::int64_t Remaining() { return Size() - Position(); }

    // Reads or writes exactly count bytes; a short transfer raises EReadError "Stream read error" or
    // EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::int32_t count);
    void WriteBuffer(const void* buffer, std::int32_t count);
    // Copies count bytes from source at its position; count 0 copies the whole source from its start.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over one block of memory it does not own: reads, seeks, and saves itself elsewhere.
class TCustomMemoryStream : public TStream {
public:
    std::int32_t Read(void* buffer, std::int32_t count) override;
    // A view over foreign memory cannot be written: raises EWriteError. TMemoryStream can.
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return size_; }

    void SaveToStream(TStream& dest);
    void SaveToFile(const AnsiString& fileName);

    const void* Memory() const { return memory_; }
    void* Memory() { return memory_; }
    // Points the stream at data of size bytes, read-only, and moves to its start.
    void SetPointer(void* data, std::int64_t size);

protected:
    void* memory_ = nullptr;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
};

// A growable stream that owns its memory.
class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;

    std::int32_t Write(const void* buffer, std::int32_t count) override;
    void SetSize(std::int64_t newSize) override;
    void Clear();
    // Replaces the contents with the whole of source (from its start) and moves to position 0.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const AnsiString& fileName);
    std::int64_t Capacity() const { return std::int64_t(data_.size()); }

private:
    void Reserve(std::int64_t capacity);
    std::vector<Byte> data_;
};
