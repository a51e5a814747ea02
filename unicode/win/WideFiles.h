// Files, paths, error texts and window text by wide name. This program runs only on systems with the wide
// (W) entry points, so every switch calls the W entry point directly.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"

namespace uni {

BOOL SwitchSetWindowText(HWND window, const WideString& text);
HANDLE SwitchCreateFile(const WideString& name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                        DWORD disposition, DWORD flags, HANDLE templateFile);
HANDLE SwitchFindFirstFile(const WideString& name, WIN32_FIND_DATAW& data);
DWORD SwitchGetFileAttributes(const WideString& name);
BOOL SwitchCreateDirectory(const WideString& name, SECURITY_ATTRIBUTES* security);
// Draws the first count units of text (all of them when count is -1).
int SwitchDrawText(HDC dc, const WideString& text, int count, RECT& rect, UINT format);
// The full path of name, or an empty string when the system cannot make one.
WideString SwitchGetFullPathName(const WideString& name);
// The file name of a loaded module (nullptr: the program), however long it is.
WideString SwitchGetModuleFileName(HMODULE module);
// The running program's own file name, the one way the program asks for it.
inline WideString ProgramFileName() { return SwitchGetModuleFileName(nullptr); }

// The absolute form of name (name itself when the system cannot expand it).
WideString FullFileNameW(const WideString& name);
// True for an existing file that is not a folder. A name with wildcards names no single file and gives false.
bool FileExistsW(const WideString& name);
bool DirectoryExistsW(const WideString& name);
// INVALID_FILE_ATTRIBUTES when the name does not exist.
DWORD FileAttributesW(const WideString& name);

// Creates (or empties) a file for reading and writing, shared with nobody.
HANDLE CreateNamedFileW(const WideString& name);
// Opens an existing file. mode: access in the low two bits (0 read, 1 write, 2 read/write) and sharing in
// mode / 16 (0 compatible, 1 exclusive, 2 deny write, 3 deny read, 4 deny none); any other mode raises
// ERangeError.
HANDLE OpenNamedFileW(const WideString& name, std::uint16_t mode);

// Creates dir and every missing folder above it; true when dir exists afterwards. An empty name raises
// EUniGeneralError "Unable to create directory".
bool CreateWideDirectoryPath(const WideString& dir);

// The system's text for an error code ("Unspecified error (<code>) from system." when it has none).
WideString SystemErrorTextW(std::uint32_t code);
// The same from a message table: module nullptr means the system's table; source names it in the fallback.
WideString SystemErrorTextFromW(const WideString& source, HMODULE module, std::uint32_t code);

}  // namespace uni
