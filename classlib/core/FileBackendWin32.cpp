// Win32 side of the file backend (the native builds use FileBackendPosix.cpp).
#ifdef _WIN32

#include "classlib/core/FileBackend.h"
#include "classlib/core/FileSystem.h"
#include "classlib/core/Win32Calls.h"

#include <cstring>

namespace classlib::fileio {

namespace {

using namespace classlib::win32;

Handle H(THandle h) { return reinterpret_cast<Handle>(h); }
constexpr Dword kMaxPath = 260;

}  // namespace

std::int32_t ReadHandle(THandle h, void* buffer, std::int32_t count) {
    Dword done = 0;
    if (!::ReadFile(H(h), buffer, Dword(count), &done, nullptr)) return -1;
    return std::int32_t(done);
}

std::int32_t WriteHandle(THandle h, const void* buffer, std::int32_t count) {
    Dword done = 0;
    if (!::WriteFile(H(h), buffer, Dword(count), &done, nullptr)) return -1;
    return std::int32_t(done);
}

std::int64_t SeekHandle(THandle h, std::int64_t offset, int origin) {
    long long result = 0;
    // The move methods are the origin numbers: 0 begin, 1 current, 2 end.
    if (!::SetFilePointerEx(H(h), offset, &result, Dword(origin))) return -1;
    return result;
}

bool SetEndOfHandle(THandle h) { return ::SetEndOfFile(H(h)) != 0; }

void CloseHandle(THandle h) { ::CloseHandle(H(h)); }

THandle OpenFileHandle(const AnsiString& name, unsigned access, unsigned sharing) {
    static const Dword kAccess[3] = {GenericRead, GenericWrite, GenericRead | GenericWrite};
    static const Dword kShare[5] = {0, 0, FileShareRead, FileShareWrite, FileShareRead | FileShareWrite};
    if (access > 2 || sharing > 4) {
        ::SetLastError(ErrorInvalidParameter);
        return INVALID_HANDLE;
    }
    Handle h = ::CreateFileA(name.c_str(), kAccess[access], kShare[sharing], nullptr, OpenExisting,
                             FileAttributeNormal, nullptr);
    return h == InvalidHandleValue ? INVALID_HANDLE : reinterpret_cast<THandle>(h);
}

THandle CreateFileHandle(const AnsiString& name) {
    Handle h = ::CreateFileA(name.c_str(), GenericRead | GenericWrite, 0, nullptr, CreateAlways, FileAttributeNormal,
                             nullptr);
    return h == InvalidHandleValue ? INVALID_HANDLE : reinterpret_cast<THandle>(h);
}

std::uint32_t LastError() { return ::GetLastError(); }

AnsiString ErrorText(std::uint32_t code) {
    char buf[256];
    Dword n = ::FormatMessageA(FormatMessageFlags, nullptr, code, 0, buf, sizeof buf, nullptr);
    while (n > 0 && (static_cast<unsigned char>(buf[n - 1]) <= ' ')) --n;
    return AnsiString(buf, n);
}

AnsiString FullPathName(const AnsiString& name) {
    char buf[kMaxPath * 2];
    char* filePart = nullptr;
    const Dword n = ::GetFullPathNameA(name.c_str(), sizeof buf, buf, &filePart);
    if (n == 0 || n >= sizeof buf) return name;
    return AnsiString(buf, n);
}

bool SysFileExists(const AnsiString& name) {
    const Dword attr = ::GetFileAttributesA(name.c_str());
    return attr != InvalidFileAttributes && (attr & FileAttributeDirectory) == 0;
}

bool SysDirectoryExists(const AnsiString& name) {
    const Dword attr = ::GetFileAttributesA(name.c_str());
    return attr != InvalidFileAttributes && (attr & FileAttributeDirectory) != 0;
}

bool SysCreateDir(const AnsiString& name) { return ::CreateDirectoryA(name.c_str(), nullptr) != 0; }

bool SysRemoveDir(const AnsiString& name) { return ::RemoveDirectoryA(name.c_str()) != 0; }

bool SysDeleteFile(const AnsiString& name) { return ::DeleteFileA(name.c_str()) != 0; }

bool SysRenameFile(const AnsiString& oldName, const AnsiString& newName) {
    return ::MoveFileA(oldName.c_str(), newName.c_str()) != 0;
}

struct FindState {
    win32::Handle handle = win32::InvalidHandleValue;
    ~FindState() {
        if (handle != win32::InvalidHandleValue) ::FindClose(handle);
    }
};

void FindStateDeleter::operator()(FindState* state) const { delete state; }

namespace {

void Fill(TSearchRec& rec, const FindDataA& data) {
    rec.Name.assign(data.fileName, strnlen(data.fileName, sizeof data.fileName));
    rec.Attr = int(data.attributes & 0xFF);
    rec.Size = (std::int64_t(data.sizeHigh) << 32) | data.sizeLow;
    FileTime local;
    unsigned short date = 0, time = 0;
    if (::FileTimeToLocalFileTime(&data.lastWrite, &local) && ::FileTimeToDosDateTime(&local, &date, &time))
        rec.Time = std::int32_t((std::uint32_t(date) << 16) | time);
    else
        rec.Time = 0;
}

}  // namespace

int SysFindFirst(const AnsiString& path, TSearchRec& rec) {
    FindDataA data;
    auto st = std::unique_ptr<FindState, FindStateDeleter>(new FindState);
    st->handle = ::FindFirstFileA(path.c_str(), &data);
    if (st->handle == InvalidHandleValue) return int(::GetLastError());
    rec.FindHandle = std::move(st);
    Fill(rec, data);
    return 0;
}

int SysFindNext(TSearchRec& rec) {
    FindDataA data;
    if (!::FindNextFileA(rec.FindHandle->handle, &data)) return int(::GetLastError());
    Fill(rec, data);
    return 0;
}

std::vector<AnsiString> SysCommandLine() {
    std::vector<AnsiString> args = SplitCommandLine(::GetCommandLineA());
    char exe[kMaxPath + 1];
    const Dword n = ::GetModuleFileNameA(nullptr, exe, kMaxPath);
    if (args.empty()) args.emplace_back();
    args[0].assign(exe, n);
    return args;
}

}  // namespace classlib::fileio

#endif  // _WIN32
