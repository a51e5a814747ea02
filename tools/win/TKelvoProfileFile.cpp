#include "tools/win/TKelvoProfileFile.h"

#include <vector>

#include "classlib/win/Win32.h"

namespace {
LPCWSTR W(const WideString& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
}  // namespace

WideString TKelvoProfileFile::ReadString(const WideString& section, const WideString& key) {
    std::vector<wchar_t> buffer(LensProfileValueLimit, L'\0');
    const DWORD n = GetPrivateProfileStringW(W(section), W(key), L"", buffer.data(), static_cast<DWORD>(buffer.size()),
                                             W(fileName_));
    return WideString(reinterpret_cast<const char16_t*>(buffer.data()), n);
}

bool TKelvoProfileFile::WriteString(const WideString& section, const WideString& key, const WideString& value) {
    return WritePrivateProfileStringW(W(section), W(key), W(value), W(fileName_)) != FALSE;
}

WideString ProgramLensProfileFileName() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return WideString();
        if (n < path.size()) return LensProfileFileName(WideString(reinterpret_cast<const char16_t*>(path.data()), n));
        if (path.size() >= 32768) return WideString();
        path.resize(path.size() * 2);
    }
}
