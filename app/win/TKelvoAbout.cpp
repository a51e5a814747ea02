#include "app/win/TKelvoAbout.h"

#include <iterator>

#include "app/win/TKelvoAboutForm.h"
#include "app/win/KelvoProgramMainForm.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"

// The picture (550 x 367) is a blue ground with the program's glyph at its right, so the texts are white and
// keep to its left 300 pixels.
const TKelvoAboutEntry KelvoAboutContent[] = {
    // On every tab: the program and its version.
    {u"Vantorel", 0, KelvoAboutBold | KelvoAboutWhite, 24, 44, 0, 0, 1.5f, -1},
    {nullptr, KelvoTextAboutVersion, KelvoAboutWhite, 0, 0, 0, 0, 1.0f, -1},
    {u"3.14.0", 0, KelvoAboutWhite | KelvoAboutSameLine, 0, 0, 0, 0, 1.0f, -1},
    // About: what it does, whom to ask, where to order.
    {nullptr, KelvoTextAboutSummary, KelvoAboutWhite | KelvoAboutWordWrap, 24, 110, 280, 44, 3.0f, 0},
    {nullptr, KelvoTextTechnicalSupport, KelvoAboutWhite | KelvoAboutBold | KelvoAboutColon, 24, 180, 0, 0, 1.5f, 0},
    {u"https://www.kelvo.example/support", 0, KelvoAboutLink, 0, 0, 0, 0, 1.5f, 0},
    {nullptr, KelvoTextOrderingInformation, KelvoAboutWhite | KelvoAboutBold | KelvoAboutColon, 0, 0, 0, 0, 1.5f, 0},
    {u"https://www.kelvo.example/order", 0, KelvoAboutLink, 0, 0, 0, 0, 1.5f, 0},
    {u"Copyright \u00A9 2026 Kelvo", 0, KelvoAboutWhite, 24, 300, 0, 0, 1.0f, -1},
    // Credits.
    {nullptr, KelvoTextAboutBuiltWith, KelvoAboutWhite | KelvoAboutBold | KelvoAboutColon, 24, 110, 0, 0, 1.5f, 1},
    {nullptr, KelvoTextAboutCreditCompiler, KelvoAboutWhite, 36, 0, 0, 0, 1.2f, 1},
    {nullptr, KelvoTextAboutCreditImages, KelvoAboutWhite, 0, 0, 0, 0, 1.2f, 1},
    {nullptr, KelvoTextAboutCreditIcons, KelvoAboutWhite, 0, 0, 0, 0, 1.2f, 1},
    {u"http://tango.freedesktop.org/", 0, KelvoAboutLink, 0, 0, 0, 0, 1.2f, 1},
    // Licence.
    {nullptr, KelvoTextAboutWarranty, KelvoAboutWhite | KelvoAboutWordWrap, 24, 110, 280, 60, 4.0f, 2},
    {u"Kelvo", 0, KelvoAboutWhite | KelvoAboutBold | KelvoAboutRightAligned, 24, 200, 280, 16, 1.0f, 2},
    {u"https://www.kelvo.example/", 0, KelvoAboutLink | KelvoAboutRightAligned, 24, 220, 280, 16, 1.0f, 2},
};
const int KelvoAboutContentCount = static_cast<int>(std::size(KelvoAboutContent));

TKelvoAbout::TKelvoAbout(TComponent* owner) : TKelvoAbout(owner, kelvo::ProgramMainForm("The about module")) {}

TKelvoAbout::TKelvoAbout(TComponent* owner, TMainForm* mainForm) : TKelvoModule(owner) {
    TKelvoAboutForm::RegisterBuilder();
    AboutMenuSeparator = mainForm->AddSeparator(mainForm->HelpMenuItem, nullptr);
    AboutMenuItem = mainForm->AddMenuItem(GetText(KelvoTextAbout, u"About"), 0, nullptr, mainForm->HelpMenuItem, -1,
                                          MakeMethod<&TKelvoAbout::AboutMenuItemClick>(this));
}

void TKelvoAbout::SetContent(const TKelvoAboutEntry* entries, int count, const AnsiString& resourceName) {
    entries_ = entries;
    count_ = count;
    resourceName_ = resourceName;
}

void TKelvoAbout::AboutMenuItemClick(TObject*) {
    TObjectPtr<TKelvoAboutForm> form(Create<TKelvoAboutForm>(nullptr));
    form->SetContent(entries_, count_, resourceName_);
    form->ShowModal();
}

void TKelvoAbout::Localize() { AboutMenuItem->SetCaption(GetText(KelvoTextAbout, u"About")); }
