// POSIX side of the file backend, used by the native builds (the Windows side is in classlib/win).
#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>

#include "classlib/core/FileBackend.h"
#include "classlib/core/Paths.h"
#include "classlib/core/FileSystem.h"

namespace classlib::fileio {

std::int32_t ReadHandle(THandle h, void* buffer, std::int32_t count) {
    ssize_t n;
    do n = ::read(int(h), buffer, size_t(count));
    while (n < 0 && errno == EINTR);
    return std::int32_t(n);
}

std::int32_t WriteHandle(THandle h, const void* buffer, std::int32_t count) {
    ssize_t n;
    do n = ::write(int(h), buffer, size_t(count));
    while (n < 0 && errno == EINTR);
    return std::int32_t(n);
}

std::int64_t SeekHandle(THandle h, std::int64_t offset, int origin) {
    const int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : SEEK_END;
    return std::int64_t(::lseek(int(h), off_t(offset), whence));
}

bool SetEndOfHandle(THandle h) {
    const off_t pos = ::lseek(int(h), 0, SEEK_CUR);
    return pos >= 0 && ::ftruncate(int(h), pos) == 0;
}

void CloseHandle(THandle h) { ::close(int(h)); }

namespace {

THandle OpenChecked(const AnsiString& name, int flags) {
    const int fd = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) return INVALID_HANDLE;
    struct stat st;
    // A folder opens on POSIX but not on Windows; refuse it here too.
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        errno = err;
        return INVALID_HANDLE;
    }
    return fd;
}

}  // namespace

THandle OpenFileHandle(const AnsiString& name, unsigned access, unsigned /*sharing*/) {
    const int flags = access == 0 ? O_RDONLY : access == 1 ? O_WRONLY : O_RDWR;
    return OpenChecked(name, flags);
}

THandle CreateFileHandle(const AnsiString& name) { return OpenChecked(name, O_RDWR | O_CREAT | O_TRUNC); }

std::uint32_t LastError() { return std::uint32_t(errno); }

AnsiString ErrorText(std::uint32_t code) { return std::error_code(int(code), std::generic_category()).message(); }

AnsiString FullPathName(const AnsiString& name) {
    if (!name.empty() && name[0] == '/') return name;
    char buf[4096];
    if (!::getcwd(buf, sizeof buf)) return name;
    AnsiString dir = buf;
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir + name;
}

bool SysFileExists(const AnsiString& name) {
    struct stat st;
    return ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool SysDirectoryExists(const AnsiString& name) {
    struct stat st;
    return ::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SysCreateDir(const AnsiString& name) { return ::mkdir(name.c_str(), 0777) == 0; }

bool SysRemoveDir(const AnsiString& name) { return ::rmdir(name.c_str()) == 0; }

bool SysDeleteFile(const AnsiString& name) {
    // Like the product's system call: folders are not files.
    if (SysDirectoryExists(name)) return false;
    return ::unlink(name.c_str()) == 0;
}

bool SysRenameFile(const AnsiString& oldName, const AnsiString& newName) {
    // The product's system call refuses to replace an existing target; so do we.
    struct stat st;
    if (::lstat(newName.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

struct FindState {
    DIR* dir = nullptr;
    AnsiString folder;  // with a trailing '/', or empty for the current folder
    AnsiString mask;
    ~FindState() {
        if (dir) ::closedir(dir);
    }
};

void FreeFindState(FindState* state) { delete state; }

namespace {

std::int32_t DosTime(time_t t) {
    struct tm lt;
    if (!::localtime_r(&t, &lt) || lt.tm_year < 80) return 0;
    const std::uint32_t date = std::uint32_t(((lt.tm_year - 80) << 9) | ((lt.tm_mon + 1) << 5) | lt.tm_mday);
    const std::uint32_t time = std::uint32_t((lt.tm_hour << 11) | (lt.tm_min << 5) | (lt.tm_sec / 2));
    return std::int32_t((date << 16) | time);
}

int ReadMatch(TSearchRec& rec) {
    FindState& st = *rec.FindHandle;
    while (true) {
        errno = 0;
        struct dirent* e = ::readdir(st.dir);
        if (!e) return errno != 0 ? errno : ENOENT;
        const AnsiString name = e->d_name;
        if (!MatchesMask(name, st.mask)) continue;
        struct stat info;
        if (::lstat((st.folder + name).c_str(), &info) != 0) continue;
        rec.Name = name;
        rec.Size = S_ISDIR(info.st_mode) ? 0 : std::int64_t(info.st_size);
        rec.Attr = S_ISDIR(info.st_mode) ? faDirectory : 0;
        if ((info.st_mode & S_IWUSR) == 0) rec.Attr |= faReadOnly;
        rec.Time = DosTime(info.st_mtime);
        return 0;
    }
}

}  // namespace

int SysFindFirst(const AnsiString& path, TSearchRec& rec) {
    TOwned<FindState, FreeFindState> st(new FindState);
    st->folder = ExtractFilePath(path);
    st->mask = ExtractFileName(path);
    // "*.*" means every name on the product's system, with or without a dot.
    if (st->mask == "*.*") st->mask = "*";
    st->dir = ::opendir(st->folder.empty() ? "." : st->folder.c_str());
    if (!st->dir) return errno != 0 ? errno : ENOENT;
    rec.FindHandle = std::move(st);
    return ReadMatch(rec);
}

int SysFindNext(TSearchRec& rec) { return ReadMatch(rec); }

std::vector<AnsiString> SysCommandLine() {
    std::vector<AnsiString> args;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    AnsiString arg;
    while (std::getline(in, arg, '\0')) args.push_back(arg);
    // The program's own name as a full path, as the product reports it.
    char exe[4096];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        if (args.empty()) args.emplace_back();
        args[0].assign(exe, size_t(n));
    }
    return args;
}

}  // namespace classlib::fileio

#endif  // !_WIN32
