#include "tools/win/TKelvoProfileFile.h"

#include <vector>

#include "classlib/win/Win32.h"
#include "unicode/win/WideFiles.h"

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
    const WideString program = uni::ProgramFileName();
    return program.empty() ? WideString() : LensProfileFileName(program);
}
