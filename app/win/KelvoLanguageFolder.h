// The localizer's view of the system: the language files in the program's language folder (found and read
// by wide name), the program's own "Language" resource and the thread locale.
#pragma once
#include "app/core/TKelvoLocalizer.h"

class TKelvoLanguageFolder : public TKelvoLanguageSource {
public:
    // folder ends with a backslash.
    explicit TKelvoLanguageFolder(WideString folder) : folder_(std::move(folder)) {}

    // The program's folder + "Languages\"; when that does not exist, the program's folder +
    // "..\..\KelvoLib\Languages\".
    static WideString ProgramLanguageFolder();

    const WideString& Folder() const { return folder_; }
    // The "*.ini" files of the folder, ordered by name (case-insensitively), so that the first language and
    // the order of the list are the same on every system.
    std::vector<WideString> LanguageFiles() override;
    bool ReadFile(const WideString& path, AnsiString& bytes) override;
    // The RT_RCDATA resource "Language" of the program.
    bool ReadLanguageResource(AnsiString& bytes) override;
    void SetThreadLocale(std::uint16_t languageId) override;

private:
    WideString folder_;
};

// The unit that makes KelvoLocalizer over the program's language folder (after the application object) and
// frees it. An error of a language listener goes to the class library's report.
inline constexpr int KelvoLocalizerUnitOrder = 210;
void RegisterKelvoLocalizerUnit();
