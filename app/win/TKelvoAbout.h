// Help > About: shows the about box (TKelvoAboutForm) with the content the program's start-up gives it.
#pragma once
#include "app/core/KelvoAboutLayout.h"
#include "app/win/TKelvoModule.h"

class TMainForm;
class TSkinItem;
class TSkinSeparatorItem;

class TKelvoAbout : public TKelvoModule {
    CLASSLIB_COMPONENT(TKelvoAbout, TKelvoModule)

    // Adds the item to the Help menu of the program's main window (Application's main form, a TMainForm).
    explicit TKelvoAbout(TComponent* owner);
    TKelvoAbout(TComponent* owner, TMainForm* mainForm);

    // The entries (kept, not copied: they must outlive the module) and the picture's RCDATA resource name.
    void SetContent(const TKelvoAboutEntry* entries, int count, const AnsiString& resourceName);
    // Shows the about box modally and frees it.
    void AboutMenuItemClick(TObject* sender);

    void Localize() override;

    TSkinSeparatorItem* AboutMenuSeparator = nullptr;
    TSkinItem* AboutMenuItem = nullptr;

private:
    const TKelvoAboutEntry* entries_ = nullptr;
    int count_ = 0;
    AnsiString resourceName_;
};

// The program's own about box content: 17 labels over the picture "About".
extern const TKelvoAboutEntry KelvoAboutContent[];
extern const int KelvoAboutContentCount;
