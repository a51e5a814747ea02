#include "app/core/TKelvoLocalizer.h"

#include "app/core/TKelvoLanguageFile.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/TWideStrings.h"

TKelvoLocalizer* KelvoLocalizer = nullptr;

TKelvoLocalizer::TKelvoLocalizer(TKelvoLanguageSource& source) : source_(source) {
    Scan();
    ChooseBase();
    currentId_ = baseId_;
}

TKelvoLocalizer::~TKelvoLocalizer() = default;

namespace {
// A file that cannot be made sense of is no language: nothing in a language file may stop the program.
TObjectPtr<TKelvoLanguageFile> ParseLanguageFile(std::string_view bytes) {
    try {
        return MakeObject<TKelvoLanguageFile>(bytes);
    } catch (const std::exception&) {
        return MakeObject<TKelvoLanguageFile>();
    }
}
}  // namespace

TObjectPtr<TKelvoLanguageFile> TKelvoLocalizer::OpenFile(const WideString& path) const {
    AnsiString bytes;
    if (!source_.ReadFile(path, bytes)) return MakeObject<TKelvoLanguageFile>();
    return ParseLanguageFile(bytes);
}

void TKelvoLocalizer::Scan() {
    for (const WideString& path : source_.LanguageFiles()) {
        const TObjectPtr<TKelvoLanguageFile> file = OpenFile(path);
        const std::uint16_t id = file->LanguageId();
        if (id != 0) languages_.push_back(MakeObject<TKelvoLanguage>(id, file->LanguageName(), path));
    }
}

void TKelvoLocalizer::ChooseBase() {
    baseId_ = 1033;
    AnsiString resource;
    if (source_.ReadLanguageResource(resource)) {
        const TObjectPtr<TKelvoLanguageFile> file = ParseLanguageFile(resource);
        baseId_ = file->LanguageId();
        if (baseId_ != 0 && !Find(baseId_))
            languages_.push_back(MakeObject<TKelvoLanguage>(baseId_, file->LanguageName(), WideString()));
        file->FillTable(base_);
        return;
    }
    const TKelvoLanguage* base = Find(1033);
    if (!base && !languages_.empty()) base = languages_.front().get();
    if (!base) {
        baseId_ = 0;
        return;
    }
    baseId_ = base->Id;
    OpenFile(base->Path)->FillTable(base_);
}

const TKelvoLanguage* TKelvoLocalizer::Find(std::int32_t id) const {
    for (const auto& language : languages_)
        if (language->Id == id) return language.get();
    return nullptr;
}

WideString TKelvoLocalizer::GetText(std::int32_t id, const WideString& fallback) const {
    AnsiString text;
    if (current_.GetText(id, text) || base_.GetText(id, text)) return Utf8Decode(text);
    return fallback;
}

void TKelvoLocalizer::SetLanguage(std::int32_t id) {
    // Only a language that exists may change the thread locale: a stray id from a state file changes nothing.
    const TKelvoLanguage* language = Find(id);
    if (!language) return;
    source_.SetThreadLocale(language->Id);
    currentId_ = language->Id;
    if (currentId_ == baseId_)
        current_.Clear();
    else
        OpenFile(language->Path)->FillTable(current_);
    listeners_.CallEach(report_);
}

void TKelvoLocalizer::GetLanguages(TWideStrings* list) const {
    list->Clear();
    for (const auto& language : languages_) list->AddObject(language->Name, language.get());
}

bool TKelvoLocalizer::GetLanguageName(std::int32_t id, WideString& name) const {
    const TKelvoLanguage* language = Find(id);
    if (!language) return false;
    name = language->Name;
    return true;
}

void TKelvoLocalizer::RegisterListener(TKelvoMethod listener) {
    listener();
    listeners_.Add(listener);
}

void TKelvoLocalizer::UnregisterListener(TKelvoMethod listener) { listeners_.Remove(listener); }

WideString GetText(std::int32_t id, const WideString& fallback) {
    return KelvoLocalizer ? KelvoLocalizer->GetText(id, fallback) : fallback;
}

void SetLanguage(std::int32_t id) {
    if (KelvoLocalizer) KelvoLocalizer->SetLanguage(id);
}

std::uint16_t GetCurrentLanguageId() { return KelvoLocalizer ? KelvoLocalizer->GetCurrentLanguageId() : 0; }

std::uint16_t GetBaseLanguageId() { return KelvoLocalizer ? KelvoLocalizer->GetBaseLanguageId() : 0; }

void RegisterListener(TKelvoMethod listener) {
    if (KelvoLocalizer)
        KelvoLocalizer->RegisterListener(listener);
    else
        listener();  // captions from the defaults, once
}

void UnregisterListener(TKelvoMethod listener) {
    if (KelvoLocalizer) KelvoLocalizer->UnregisterListener(listener);
}
