// A file opened for reading and writing with an unnamed read-write mapping over its whole length. The
// program and the plug-in exchange images through such a file, so this class uses nothing but Win32 and
// can be compiled on its own.
#pragma once
#include <cstdint>
#include <string>

#include "classlib/win/Win32.h"

class TFileMapping {
public:
    // Opens the file (or creates it) for reading and writing, shared for both. When it cannot be opened
    // the object holds no file and every Map fails. A mapping of an empty file cannot be made: there is
    // none until SetSize.
    explicit TFileMapping(const std::u16string& fileName);
    TFileMapping(const TFileMapping&) = delete;
    TFileMapping& operator=(const TFileMapping&) = delete;
    // Closes the mapping, then the file. Views must have been released.
    ~TFileMapping();

    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    bool IsMapped() const { return mapping_ != nullptr; }
    // The file's size in bytes (the whole 64-bit size); 0 without a file.
    std::int64_t GetSize() const;
    // A view of count bytes from offset (a multiple of the system's allocation granularity) with the
    // FILE_MAP_* access; nullptr on failure or when the range is not inside the mapping.
    void* Map(std::uint32_t offset, std::uint32_t count, DWORD access);
    void Unmap(void* address);
    // Ends the file at size bytes and maps it anew. On failure it returns false and the file keeps its old
    // size and mapping. Views must have been released.
    bool SetSize(std::uint32_t size);

private:
    bool CreateMapping();
    void CloseMapping();
    bool EndFileAt(std::int64_t size);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE mapping_ = nullptr;
    std::int64_t mappedSize_ = 0;
};
