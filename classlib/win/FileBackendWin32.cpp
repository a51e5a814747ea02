// Win32 side of the file backend (the native builds use FileBackendPosix.cpp).

#include "classlib/win/Win32.h"

#include "classlib/core/FileBackend.h"
#include "classlib/core/FileSystem.h"

#include <cstring>

namespace classlib::fileio {

namespace {

HANDLE H(THandle h) { return reinterpret_cast<HANDLE>(h); }
constexpr DWORD kMaxPath = 260;

}  // namespace

std::int32_t ReadHandle(THandle h, void* buffer, std::int32_t count) {
    DWORD done = 0;
    if (!::ReadFile(H(h), buffer, DWORD(count), &done, nullptr)) return -1;
    return std::int32_t(done);
}

std::int32_t WriteHandle(THandle h, const void* buffer, std::int32_t count) {
    DWORD done = 0;
    if (!::WriteFile(H(h), buffer, DWORD(count), &done, nullptr)) return -1;
    return std::int32_t(done);
}

std::int64_t SeekHandle(THandle h, std::int64_t offset, int origin) {
    LARGE_INTEGER result{};
    // The move methods are the origin numbers: 0 begin, 1 current, 2 end.
    LARGE_INTEGER move{};
    move.QuadPart = offset;
    if (!::SetFilePointerEx(H(h), move, &result, DWORD(origin))) return -1;
    return result.QuadPart;
}

bool SetEndOfHandle(THandle h) { return ::SetEndOfFile(H(h)) != 0; }

void CloseHandle(THandle h) { ::CloseHandle(H(h)); }

THandle OpenFileHandle(const AnsiString& name, unsigned access, unsigned sharing) {
    static const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    static const DWORD kShare[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    if (access > 2 || sharing > 4) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE;
    }
    HANDLE h = ::CreateFileA(name.c_str(), kAccess[access], kShare[sharing], nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? INVALID_HANDLE : reinterpret_cast<THandle>(h);
}

THandle CreateFileHandle(const AnsiString& name) {
    HANDLE h = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? INVALID_HANDLE : reinterpret_cast<THandle>(h);
}

std::uint32_t LastError() { return ::GetLastError(); }

AnsiString ErrorText(std::uint32_t code) {
    char buf[256];
    DWORD n =
        ::FormatMessageA((FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY),
                         nullptr, code, 0, buf, sizeof buf, nullptr);
    while (n > 0 && (static_cast<unsigned char>(buf[n - 1]) <= ' ')) --n;
    return AnsiString(buf, n);
}

AnsiString FullPathName(const AnsiString& name) {
    char buf[kMaxPath * 2];
    char* filePart = nullptr;
    const DWORD n = ::GetFullPathNameA(name.c_str(), sizeof buf, buf, &filePart);
    if (n == 0 || n >= sizeof buf) return name;
    return AnsiString(buf, n);
}

bool SysFileExists(const AnsiString& name) {
    const DWORD attr = ::GetFileAttributesA(name.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool SysDirectoryExists(const AnsiString& name) {
    const DWORD attr = ::GetFileAttributesA(name.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool SysCreateDir(const AnsiString& name) { return ::CreateDirectoryA(name.c_str(), nullptr) != 0; }

bool SysRemoveDir(const AnsiString& name) { return ::RemoveDirectoryA(name.c_str()) != 0; }

bool SysDeleteFile(const AnsiString& name) { return ::DeleteFileA(name.c_str()) != 0; }

bool SysRenameFile(const AnsiString& oldName, const AnsiString& newName) {
    return ::MoveFileA(oldName.c_str(), newName.c_str()) != 0;
}

struct FindState {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~FindState() {
        if (handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
    }
};

void FreeFindState(FindState* state) { delete state; }

namespace {

void Fill(TSearchRec& rec, const WIN32_FIND_DATAA& data) {
    rec.Name.assign(data.cFileName, strnlen(data.cFileName, sizeof data.cFileName));
    rec.Attr = int(data.dwFileAttributes & 0xFF);
    rec.Size = (std::int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    FILETIME local;
    unsigned short date = 0, time = 0;
    if (::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && ::FileTimeToDosDateTime(&local, &date, &time))
        rec.Time = std::int32_t((std::uint32_t(date) << 16) | time);
    else
        rec.Time = 0;
}

}  // namespace

int SysFindFirst(const AnsiString& path, TSearchRec& rec) {
    WIN32_FIND_DATAA data;
    TOwned<FindState, FreeFindState> st(new FindState);
    st->handle = ::FindFirstFileA(path.c_str(), &data);
    if (st->handle == INVALID_HANDLE_VALUE) return int(::GetLastError());
    rec.FindHandle = std::move(st);
    Fill(rec, data);
    return 0;
}

int SysFindNext(TSearchRec& rec) {
    WIN32_FIND_DATAA data;
    if (!::FindNextFileA(rec.FindHandle->handle, &data)) return int(::GetLastError());
    Fill(rec, data);
    return 0;
}

std::vector<AnsiString> SysCommandLine() {
    std::vector<AnsiString> args = SplitCommandLine(::GetCommandLineA());
    char exe[kMaxPath + 1];
    const DWORD n = ::GetModuleFileNameA(nullptr, exe, kMaxPath);
    if (args.empty()) args.emplace_back();
    args[0].assign(exe, n);
    return args;
}

}  // namespace classlib::fileio
