#include "tools/win/TKelvoProfileFile.h"

#include <vector>

#include "classlib/win/Win32.h"
#include "classlib/win/WideChars.h"
#include "unicode/win/WideFiles.h"

WideString TKelvoProfileFile::ReadString(const WideString& section, const WideString& key) {
    std::vector<wchar_t> buffer(LensProfileValueLimit, L'\0');
    const DWORD n = GetPrivateProfileStringW(WideCStr(section), WideCStr(key), L"", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), WideCStr(fileName_));
    return FromWideChars(buffer.data(), n);
}

bool TKelvoProfileFile::WriteString(const WideString& section, const WideString& key, const WideString& value) {
    return WritePrivateProfileStringW(WideCStr(section), WideCStr(key), WideCStr(value), WideCStr(fileName_)) != FALSE;
}

WideString ProgramLensProfileFileName() {
    const WideString program = uni::ProgramFileName();
    return program.empty() ? WideString() : LensProfileFileName(program);
}
