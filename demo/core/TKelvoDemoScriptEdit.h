// The script editor's model of the script it edits: one tab per section in section order, each with its text
// (the section's lines) and the selection the memo had there. The edited script is kept in UTF-8 (a script read
// as 8-bit text is converted when it is taken in), so every language's texts save and read back unchanged.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "demo/core/TKelvoDemoScript.h"

struct TKelvoDemoTabSelection {
    std::int32_t Start = 0;
    std::int32_t Length = 0;
};

class TKelvoDemoScriptEdit {
public:
    TKelvoDemoScriptEdit();

    TKelvoDemoScript& Script() { return script_; }
    const TKelvoDemoScript& Script() const { return script_; }

    // An empty script: [Info] and [Script].
    void New();
    // Takes in a loaded (or recorded) script: its texts become UTF-8 and the selections are reset.
    void Adopt(const TKelvoDemoScript& script);

    std::int32_t TabCount() const { return script_.SectionCount(); }
    const AnsiString& TabName(std::int32_t tab) const { return script_.SectionName(tab); }
    // The tab of [Script].
    std::int32_t ScriptTab() const;

    // The section's lines, joined with CR LF.
    WideString Text(std::int32_t tab) const;
    // The memo's text becomes the section's lines: each line trimmed, blank ones dropped (the file keeps none).
    void StoreText(std::int32_t tab, std::u16string_view text);
    TKelvoDemoTabSelection Selection(std::int32_t tab) const;
    void SetSelection(std::int32_t tab, TKelvoDemoTabSelection selection);
    // Every remembered selection back to (0, 0).
    void ResetSelections();

    // The section of a typed language id (see KelvoDemoLanguageSectionName): its tab, added at the end when it is
    // new (added then true); -1 for a text that names no language.
    std::int32_t AddLanguage(std::string_view text, bool& added);
    // Deletes the tab's section unless it is [Info] or [Script] (wherever they stand) or the tab does not exist.
    bool DeleteLanguage(std::int32_t tab);

private:
    TKelvoDemoScript script_;
    std::vector<TKelvoDemoTabSelection> selections_;
};
