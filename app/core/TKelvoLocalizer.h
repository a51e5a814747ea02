// The program's texts by number from its language files: a base table (the base language, 1033 when there
// is such a file, else the first one found) and a current table (empty while the base language is current).
// A text comes from the current table, else from the base table, else it is the caller's default. Switching
// the language calls every registered listener, so that each module, form and frame captions itself again.
//
// What the localizer needs of the system (the files in the language folder, the program's own "Language"
// resource, the thread locale) comes through TKelvoLanguageSource; the Windows one is in
// app/win/KelvoLanguageFolder.h. Nothing a language file holds can make the construction fail.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/TKelvoLocalStringList.h"
#include "app/core/TKelvoMethodList.h"
#include "classlib/core/TObject.h"

class TWideStrings;
class TKelvoLanguageFile;

class TKelvoLanguageSource {
public:
    virtual ~TKelvoLanguageSource() = default;
    // The full names of the language files, in the order they are offered.
    virtual std::vector<WideString> LanguageFiles() = 0;
    // The whole content of a file; false when it cannot be read.
    virtual bool ReadFile(const WideString& path, AnsiString& bytes) = 0;
    // The language built into the program; false when it carries none.
    virtual bool ReadLanguageResource(AnsiString& bytes) = 0;
    virtual void SetThreadLocale(std::uint16_t languageId) = 0;
};

// One available language. Path is empty for the built-in language.
class TKelvoLanguage : public TObject {
    CLASSLIB_CLASS(TKelvoLanguage, TObject)

public:
    TKelvoLanguage(std::uint16_t id, WideString name, WideString path)
        : Id(id), Name(std::move(name)), Path(std::move(path)) {}
    std::uint16_t Id;
    WideString Name;
    WideString Path;
};

class TKelvoLocalizer : public TObject {
    CLASSLIB_CLASS(TKelvoLocalizer, TObject)

public:
    // Scans the languages at once (the source must outlive the localizer).
    explicit TKelvoLocalizer(TKelvoLanguageSource& source);
    ~TKelvoLocalizer() override;

    // The current language's text, else the base language's, else fallback.
    WideString GetText(std::int32_t id, const WideString& fallback = WideString()) const;
    // For a known language: sets the thread locale, makes it current and calls every listener (index 0
    // upwards, each once; an error of one goes to report when assigned and the others still run). An id that
    // names no available language changes nothing and calls nobody.
    void SetLanguage(std::int32_t id);
    std::uint16_t GetCurrentLanguageId() const { return currentId_; }
    std::uint16_t GetBaseLanguageId() const { return baseId_; }
    // Clears list and adds each language's display name with its TKelvoLanguage as object, in scan order.
    void GetLanguages(TWideStrings* list) const;
    // The display name of the language with the id; name is unchanged when there is none.
    bool GetLanguageName(std::int32_t id, WideString& name) const;
    int LanguageCount() const { return static_cast<int>(languages_.size()); }
    const TKelvoLanguage& Language(int index) const { return *languages_.at(std::size_t(index)); }

    // Calls the listener at once, then keeps it for every later switch.
    void RegisterListener(TKelvoMethod listener);
    void UnregisterListener(TKelvoMethod listener);
    bool HasListener(TKelvoMethod listener) const { return listeners_.Contains(listener); }
    // Where an error of a listener goes (the application's error report); unassigned: it passes on.
    void SetReport(TKelvoMethod report) { report_ = report; }

private:
    const TKelvoLanguage* Find(std::int32_t id) const;
    TObjectPtr<TKelvoLanguageFile> OpenFile(const WideString& path) const;
    void Scan();
    void ChooseBase();

    TKelvoLanguageSource& source_;
    std::uint16_t baseId_ = 1033;
    std::uint16_t currentId_ = 0;
    std::vector<TObjectPtr<TKelvoLanguage>> languages_;
    TKelvoLocalStringList base_;
    TKelvoLocalStringList current_;
    TKelvoMethodList listeners_;
    TKelvoMethod report_;
};

// The program's one localizer (null before the localizer unit started and after it ended).
extern TKelvoLocalizer* KelvoLocalizer;

// The operations on the program's localizer. Without one, texts are the caller's defaults, a listener being
// registered is called once and kept nowhere, and a switch does nothing.
WideString GetText(std::int32_t id, const WideString& fallback = WideString());
void SetLanguage(std::int32_t id);
std::uint16_t GetCurrentLanguageId();
std::uint16_t GetBaseLanguageId();
void RegisterListener(TKelvoMethod listener);
void UnregisterListener(TKelvoMethod listener);
