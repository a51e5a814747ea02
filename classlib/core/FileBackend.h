// The operating-system calls under the handle and file streams and the file-system functions.
// Platform-free code calls these; they are implemented once with POSIX calls (native builds) and once
// with Win32 calls (the Windows build, in classlib/win). A handle is an integer: a file descriptor
// natively, a HANDLE value on Windows; -1 is the invalid handle on both.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

using THandle = std::intptr_t;
inline constexpr THandle INVALID_HANDLE = -1;

namespace classlib::fileio {

// Raw transfers: the count done, or -1 on a system error (LastError then tells which).
std::int32_t ReadHandle(THandle h, void* buffer, std::int32_t count);
std::int32_t WriteHandle(THandle h, const void* buffer, std::int32_t count);
// origin: 0 from the start, 1 from the current position, 2 from the end. Returns the new position or -1.
std::int64_t SeekHandle(THandle h, std::int64_t offset, int origin);
// Cuts or extends the file so that it ends at the current position.
bool SetEndOfHandle(THandle h);
void CloseHandle(THandle h);

// Opens an existing file. access: 0 read, 1 write, 2 read/write; sharing: 0 compatible, 1 exclusive,
// 2 deny write, 3 deny read, 4 deny none (sharing is honoured only where the system knows it).
THandle OpenFileHandle(const AnsiString& name, unsigned access, unsigned sharing);
// Creates (or empties) a file for reading and writing, shared with nobody.
THandle CreateFileHandle(const AnsiString& name);

// The calling thread's last system error and its text.
std::uint32_t LastError();
AnsiString ErrorText(std::uint32_t code);
// The absolute form of a file name (relative names resolve against the current folder).
AnsiString FullPathName(const AnsiString& name);

}  // namespace classlib::fileio
