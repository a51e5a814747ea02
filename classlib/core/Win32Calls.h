// The few kernel32 and user32 entry points behind the Windows side of the file, resource and thread
// backends, declared here so that this platform-free library links on its own in the Windows build
// (the linker reads the Win32 layer's library before this one, so the backends must live here).
// Only the backend files of this folder include it, and never together with the system headers,
// whose declarations of the same functions use other type names.
#pragma once
#ifdef _WIN32

namespace classlib::win32 {
using Bool = int;
using Dword = unsigned long;
using Handle = void*;
struct FileTime {
    Dword low;
    Dword high;
};
struct FindDataA {
    Dword attributes;
    FileTime creation;
    FileTime lastAccess;
    FileTime lastWrite;
    Dword sizeHigh;
    Dword sizeLow;
    Dword reserved0;
    Dword reserved1;
    char fileName[260];
    char alternateName[14];
};
inline Handle const InvalidHandleValue = reinterpret_cast<Handle>(-1);
constexpr Dword GenericRead = 0x80000000ul;
constexpr Dword GenericWrite = 0x40000000ul;
constexpr Dword FileShareRead = 1;
constexpr Dword FileShareWrite = 2;
constexpr Dword CreateAlways = 2;
constexpr Dword OpenExisting = 3;
constexpr Dword FileAttributeDirectory = 0x10;
constexpr Dword FileAttributeNormal = 0x80;
constexpr Dword InvalidFileAttributes = 0xFFFFFFFFul;
constexpr Dword ErrorInvalidParameter = 87;
constexpr Dword FormatMessageFlags = 0x1000 | 0x200 | 0x2000;  // from system, ignore inserts, argument array
constexpr Dword Infinite = 0xFFFFFFFFul;
constexpr Dword WaitObject0 = 0;
constexpr Dword QsSendMessage = 0x40;
}  // namespace classlib::win32

#define CLASSLIB_WINAPI extern "C" __declspec(dllimport)
#define CLASSLIB_W32 classlib::win32::
CLASSLIB_WINAPI CLASSLIB_W32 Handle __stdcall CreateFileA(const char*, CLASSLIB_W32 Dword, CLASSLIB_W32 Dword, void*,
                                                         CLASSLIB_W32 Dword, CLASSLIB_W32 Dword, CLASSLIB_W32 Handle);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall ReadFile(CLASSLIB_W32 Handle, void*, CLASSLIB_W32 Dword, CLASSLIB_W32 Dword*,
                                                    void*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall WriteFile(CLASSLIB_W32 Handle, const void*, CLASSLIB_W32 Dword,
                                                     CLASSLIB_W32 Dword*, void*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall SetFilePointerEx(CLASSLIB_W32 Handle, long long, long long*, CLASSLIB_W32 Dword);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall SetEndOfFile(CLASSLIB_W32 Handle);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall CloseHandle(CLASSLIB_W32 Handle);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall GetLastError();
CLASSLIB_WINAPI void __stdcall SetLastError(CLASSLIB_W32 Dword);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall FormatMessageA(CLASSLIB_W32 Dword, const void*, CLASSLIB_W32 Dword,
                                                           CLASSLIB_W32 Dword, char*, CLASSLIB_W32 Dword, void*);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall GetFullPathNameA(const char*, CLASSLIB_W32 Dword, char*, char**);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall GetFileAttributesA(const char*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall CreateDirectoryA(const char*, void*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall RemoveDirectoryA(const char*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall DeleteFileA(const char*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall MoveFileA(const char*, const char*);
CLASSLIB_WINAPI CLASSLIB_W32 Handle __stdcall FindFirstFileA(const char*, CLASSLIB_W32 FindDataA*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall FindNextFileA(CLASSLIB_W32 Handle, CLASSLIB_W32 FindDataA*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall FindClose(CLASSLIB_W32 Handle);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall FileTimeToLocalFileTime(const CLASSLIB_W32 FileTime*, CLASSLIB_W32 FileTime*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall FileTimeToDosDateTime(const CLASSLIB_W32 FileTime*, unsigned short*,
                                                                 unsigned short*);
CLASSLIB_WINAPI char* __stdcall GetCommandLineA();
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall GetModuleFileNameA(void*, char*, CLASSLIB_W32 Dword);
CLASSLIB_WINAPI void* __stdcall GetModuleHandleA(const char*);
CLASSLIB_WINAPI void* __stdcall FindResourceA(void*, const char*, const char*);
CLASSLIB_WINAPI void* __stdcall LoadResource(void*, void*);
CLASSLIB_WINAPI void* __stdcall LockResource(void*);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall SizeofResource(void*, void*);
CLASSLIB_WINAPI CLASSLIB_W32 Handle __stdcall CreateEventA(void*, CLASSLIB_W32 Bool, CLASSLIB_W32 Bool, const char*);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall SetEvent(CLASSLIB_W32 Handle);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall ResetEvent(CLASSLIB_W32 Handle);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall WaitForSingleObject(CLASSLIB_W32 Handle, CLASSLIB_W32 Dword);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall MsgWaitForMultipleObjects(CLASSLIB_W32 Dword, const CLASSLIB_W32 Handle*,
                                                                      CLASSLIB_W32 Bool, CLASSLIB_W32 Dword,
                                                                      CLASSLIB_W32 Dword);
CLASSLIB_WINAPI CLASSLIB_W32 Bool __stdcall PeekMessageA(void*, void*, unsigned, unsigned, unsigned);
CLASSLIB_WINAPI CLASSLIB_W32 Dword __stdcall GetCurrentThreadId();
#undef CLASSLIB_W32
#undef CLASSLIB_WINAPI

#endif  // _WIN32
