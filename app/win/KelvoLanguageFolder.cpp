#include "app/win/KelvoLanguageFolder.h"

#include <algorithm>
#include <memory>

#include "app/core/TKelvoLanguageFile.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoStartupTrace.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/WidePaths.h"
#include "unicode/win/WideFiles.h"

WideString TKelvoLanguageFolder::ProgramLanguageFolder() {
    const WideString programFolder = uni::FilePathOfW(uni::ProgramFileName());
    const WideString folder = programFolder + u"Languages\\";
    if (uni::DirectoryExistsW(folder)) return folder;
    return programFolder + u"..\\..\\KelvoLib\\Languages\\";
}

std::vector<WideString> TKelvoLanguageFolder::LanguageFiles() {
    std::vector<WideString> names;
    WIN32_FIND_DATAW data{};
    HANDLE find = uni::SwitchFindFirstFile(folder_ + u"*.ini", data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        names.push_back(FromWideChars(data.cFileName));
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end(),
              [](const WideString& a, const WideString& b) { return CompareTextSystem(a, b) < 0; });
    for (WideString& name : names) name = folder_ + name;
    return names;
}

bool TKelvoLanguageFolder::ReadFile(const WideString& path, AnsiString& bytes) {
    return kelvo::ReadFileBytes(path, bytes, TKelvoLanguageFile::MaxBytes);
}

bool TKelvoLanguageFolder::ReadLanguageResource(AnsiString& bytes) {
    HRSRC info = ::FindResourceW(nullptr, L"Language", reinterpret_cast<LPCWSTR>(RT_RCDATA));
    if (!info) return false;
    HGLOBAL resource = ::LoadResource(nullptr, info);
    const void* data = resource ? ::LockResource(resource) : nullptr;
    if (!data) return false;
    bytes.assign(static_cast<const char*>(data), ::SizeofResource(nullptr, info));
    return true;
}

void TKelvoLanguageFolder::SetThreadLocale(std::uint16_t languageId) {
    ::SetThreadLocale(MAKELCID(languageId, SORT_DEFAULT));
}

namespace {

std::unique_ptr<TKelvoLanguageFolder> languageFolder;

void ReportListenerError() {
    if (Application) Application->HandleException(nullptr);
}

}  // namespace

void RegisterKelvoLocalizerUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "KelvoLocalizer",
        [] {
            kelvo::StartupMark("units before the localizer");
            languageFolder = std::make_unique<TKelvoLanguageFolder>(TKelvoLanguageFolder::ProgramLanguageFolder());
            KelvoLocalizer = Create<TKelvoLocalizer>(*languageFolder);
            KelvoLocalizer->SetReport(TKelvoMethod::FromFunction<&ReportListenerError>());
            kelvo::StartupMark("language files");
        },
        [] {
            FreeAndNil(KelvoLocalizer);
            languageFolder.reset();
        },
        KelvoLocalizerUnitOrder);
}
