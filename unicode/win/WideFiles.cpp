#include "unicode/win/WideFiles.h"

#include "classlib/core/Checked.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/core/WidePaths.h"

namespace uni {
namespace {}  // namespace

BOOL SwitchSetWindowText(HWND window, const WideString& text) { return SetWindowTextW(window, WideCStr(text)); }

HANDLE SwitchCreateFile(const WideString& name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                        DWORD disposition, DWORD flags, HANDLE templateFile) {
    return CreateFileW(WideCStr(name), access, share, security, disposition, flags, templateFile);
}

HANDLE SwitchFindFirstFile(const WideString& name, WIN32_FIND_DATAW& data) {
    return FindFirstFileW(WideCStr(name), &data);
}

DWORD SwitchGetFileAttributes(const WideString& name) { return GetFileAttributesW(WideCStr(name)); }

BOOL SwitchCreateDirectory(const WideString& name, SECURITY_ATTRIBUTES* security) {
    return CreateDirectoryW(WideCStr(name), security);
}

int SwitchDrawText(HDC dc, const WideString& text, int count, RECT& rect, UINT format) {
    // A count past the text would make the system read past it.
    const int length = CheckedCast<int>(text.size());
    if (count < 0 || count > length) count = length;
    return DrawTextW(dc, WideCStr(text), count, &rect, format);
}

WideString SwitchGetFullPathName(const WideString& name) {
    WideString buffer(MAX_PATH, u'\0');
    for (;;) {
        const DWORD size = DWORD(buffer.size());
        const DWORD got = GetFullPathNameW(WideCStr(name), size, WideBuffer(buffer), nullptr);
        if (got == 0) return WideString();
        if (got < size) {
            buffer.resize(got);
            return buffer;
        }
        buffer.assign(got, u'\0');  // got is the size needed, terminator included
    }
}

WideString SwitchGetModuleFileName(HMODULE module) {
    WideString buffer(MAX_PATH, u'\0');
    for (;;) {
        const DWORD size = DWORD(buffer.size());
        const DWORD got = GetModuleFileNameW(module, WideBuffer(buffer), size);
        if (got == 0) return WideString();
        if (got < size) {
            buffer.resize(got);
            return buffer;
        }
        if (size >= 32768) return WideString();  // longer than any path the system allows
        buffer.assign(std::size_t(size) * 2, u'\0');
    }
}

WideString FullFileNameW(const WideString& name) {
    WideString full = SwitchGetFullPathName(name);
    return full.empty() ? name : full;
}

bool FileExistsW(const WideString& name) {
    if (name.empty() || name.find_first_of(u"*?") != WideString::npos) return false;
    WIN32_FIND_DATAW data{};
    HANDLE h = SwitchFindFirstFile(name, data);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

DWORD FileAttributesW(const WideString& name) { return SwitchGetFileAttributes(name); }

bool DirectoryExistsW(const WideString& name) {
    const DWORD a = FileAttributesW(name);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

HANDLE CreateNamedFileW(const WideString& name) {
    return SwitchCreateFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
}

HANDLE OpenNamedFileW(const WideString& name, std::uint16_t mode) {
    static const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    static const DWORD kShare[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    if (mode >= 0x50 || (mode & 3) > 2) throw ERangeError("Range check error");
    return SwitchCreateFile(name, kAccess[mode & 3], kShare[(mode & 0xF0) >> 4], nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool CreateWideDirectoryPath(const WideString& dir) {
    if (dir.empty()) throw EUniGeneralError("Unable to create directory");
    const WideString path = RemoveTrailingBackslashW(dir);
    const WideString parentPart = FilePathOfW(path);
    if (path.size() < 3 || DirectoryExistsW(path) || parentPart == path) return DirectoryExistsW(path);
    // A relative name of one folder has no parent part to force: it is created where it stands.
    if (parentPart.empty() || CreateWideDirectoryPath(parentPart)) SwitchCreateDirectory(path, nullptr);
    return DirectoryExistsW(path);
}

WideString SystemErrorTextFromW(const WideString& source, HMODULE module, std::uint32_t code) {
    DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY;
    if (module) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    wchar_t buffer[256];
    const DWORD got = FormatMessageW(flags, module, code, 0, buffer, 256, nullptr);
    const WideString raw = FromWideChars(buffer, got > 0 && got < 256 ? got : 0);
    return SystemErrorTextFromRaw(raw, code, source);
}

WideString SystemErrorTextW(std::uint32_t code) { return SystemErrorTextFromW(u"system", nullptr, code); }

}  // namespace uni
