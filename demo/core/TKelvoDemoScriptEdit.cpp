#include "demo/core/TKelvoDemoScriptEdit.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"
#include "demo/core/TKelvoDemoNameTables.h"

TKelvoDemoScriptEdit::TKelvoDemoScriptEdit() { New(); }

void TKelvoDemoScriptEdit::New() {
    script_.Reset();
    script_.SetUtf8(true);
    ResetSelections();
}

void TKelvoDemoScriptEdit::Adopt(const TKelvoDemoScript& script) {
    script_.Assign(script);
    if (!script_.IsUtf8()) {
        for (std::int32_t i = 0; i < script_.SectionCount(); ++i)
            for (AnsiString& line : script_.SectionLines(i)) line = Utf8Encode(script.DecodeText(line));
        script_.SetUtf8(true);
    }
    ResetSelections();
}

std::int32_t TKelvoDemoScriptEdit::ScriptTab() const {
    std::int32_t index = -1;
    script_.FindSection(TKelvoDemoScript::kScriptSection, index);
    return index;
}

WideString TKelvoDemoScriptEdit::Text(std::int32_t tab) const {
    WideString text;
    for (const AnsiString& line : script_.SectionLines(tab)) {
        if (!text.empty()) text += u"\r\n";
        text += Utf8Decode(line);
    }
    return text;
}

void TKelvoDemoScriptEdit::StoreText(std::int32_t tab, std::u16string_view text) {
    TKelvoDemoLines& lines = script_.SectionLines(tab);
    lines.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) end = text.size();
        const AnsiString line = Trim(Utf8Encode(text.substr(start, end - start)));
        if (!line.empty()) lines.push_back(line);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
        start = end + 1;
    }
}

TKelvoDemoTabSelection TKelvoDemoScriptEdit::Selection(std::int32_t tab) const {
    return tab >= 0 && std::size_t(tab) < selections_.size() ? selections_[std::size_t(tab)] : TKelvoDemoTabSelection{};
}

void TKelvoDemoScriptEdit::SetSelection(std::int32_t tab, TKelvoDemoTabSelection selection) {
    if (tab < 0 || tab >= TabCount()) return;
    selections_.resize(std::size_t(TabCount()));
    selections_[std::size_t(tab)] = selection;
}

void TKelvoDemoScriptEdit::ResetSelections() { selections_.assign(std::size_t(TabCount()), TKelvoDemoTabSelection{}); }

std::int32_t TKelvoDemoScriptEdit::AddLanguage(std::string_view text, bool& added) {
    added = false;
    AnsiString name;
    if (!KelvoDemoLanguageSectionName(text, name)) return -1;
    std::int32_t index = -1;
    if (script_.FindSection(name, index)) return index;
    index = script_.AddSection(name);
    added = true;
    ResetSelections();
    return index;
}

bool TKelvoDemoScriptEdit::DeleteLanguage(std::int32_t tab) {
    if (tab < 0 || tab >= TabCount() || !KelvoDemoSectionDeletable(script_.SectionName(tab))) return false;
    script_.DeleteSection(tab);
    ResetSelections();
    return true;
}
