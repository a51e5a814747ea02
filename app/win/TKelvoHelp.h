// The Help menu's help commands: the program's help file opened at numbered topics, through the HTML help
// viewer for a compiled HTML help file and through the Windows help engine for a classic one. A missing help
// file is reported by name.
#pragma once
#include <cstdint>

#include "app/win/TKelvoModule.h"
#include "classlib/win/Win32.h"

class TMainForm;
class TSkinItem;
class TSkinSeparatorItem;

// The HTML help viewer's entry (HtmlHelpW's signature).
using TKelvoHtmlHelpFunction = HWND(WINAPI*)(HWND owner, LPCWSTR file, UINT command, DWORD_PTR data);

class TKelvoHelp : public TKelvoModule {
    CLASSLIB_COMPONENT(TKelvoHelp, TKelvoModule)

    // Adds the items to the Help menu of the program's main window (Application's main form, a TMainForm).
    explicit TKelvoHelp(TComponent* owner);
    TKelvoHelp(TComponent* owner, TMainForm* mainForm);
    // Closes the classic help engine's window when this module opened it.
    ~TKelvoHelp() override;

    const AnsiString& HelpFile() const { return helpFile_; }
    bool HtmlHelp() const { return htmlHelp_; }
    // A classic help file also becomes Application's help file; an HTML help file clears that.
    void SetHelpFile(const AnsiString& name);
    // Opens the help file at the topic (KelvoHelpRules.h).
    void ShowTopic(std::int32_t topic);

    void Localize() override;
    // Queues Getting Started when the show-at-start flag is set, then the inherited registration.
    void Initialize() override;
    // Node 1, {3F084D7D-FB21-44A5-BA4F-B6FF3AE0B41D}: item 1 the show-at-start flag.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;

    bool ShowAtStart = false;

    TSkinItem* ContentsMenuItem = nullptr;
    TSkinSeparatorItem* ContentsMenuSeparator = nullptr;
    TSkinItem* GettingStartedMenuItem = nullptr;
    TSkinItem* TechnicalSupportMenuItem = nullptr;
    TSkinSeparatorItem* HelpMenuSeparator = nullptr;
    TSkinItem* OrderingInformationMenuItem = nullptr;

    // Where the HTML help requests go; nullptr (the default) is HtmlHelpW of the system's viewer, loaded on
    // first use. A test puts a recorder here.
    static TKelvoHtmlHelpFunction HtmlHelpEntry;

private:
    void ContentsClick(TObject*);
    void GettingStartedClick(TObject*);
    void TechnicalSupportClick(TObject*);
    void OrderingInformationClick(TObject*);
    void ShowGettingStartedAtStart();

    AnsiString helpFile_;
    bool htmlHelp_ = false;
    bool classicHelpUsed_ = false;
};
