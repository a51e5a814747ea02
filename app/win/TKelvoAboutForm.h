// The about box: a picture filling a tab control, with text labels laid over it from a table of entries
// (KelvoAboutLayout.h). Each tab shows the labels of its tab index and those on every tab; a link label shows
// its host and opens the whole text with the shell when clicked. Esc and Enter close it.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/KelvoAboutLayout.h"
#include "app/win/TKelvoForm.h"

class TKelvoLogoBackground;
class TUniLabel;
class TUniTabControl;

class TKelvoAboutForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TKelvoAboutForm, TKelvoForm)

    explicit TKelvoAboutForm(TComponent* owner);
    // The builder that makes the form's controls; registered once before the first form is made.
    static void RegisterBuilder();

    // Puts the picture (an RCDATA resource) behind the labels of the entries and adds the tabs they need.
    void SetContent(const TKelvoAboutEntry* entries, int count, const AnsiString& resourceName);

    void Localize() override;

    TUniTabControl* AboutTabControl = nullptr;
    TKelvoLogoBackground* Background = nullptr;
    // In table order.
    std::vector<TUniLabel*> Labels;

private:
    static void Build(TComponent* root);
    void AboutTabControlChange(TObject* sender);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);
    void LinkClick(TObject* sender);

    std::vector<std::int32_t> tabs_{0};  // the tab index of each tab, in tab order
};
