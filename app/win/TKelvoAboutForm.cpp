#include "app/win/TKelvoAboutForm.h"

#include <shellapi.h>

#include <algorithm>

#include "app/win/TKelvoLogoBackground.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniTabControl.h"

namespace {

constexpr TColor kLinkColour = 0xFF0000;  // blue, as BGR

}  // namespace

TKelvoAboutForm::TKelvoAboutForm(TComponent* owner) : TKelvoForm(owner) {}

void TKelvoAboutForm::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoAboutForm::Build); }

void TKelvoAboutForm::Build(TComponent* root) {
    auto* form = static_cast<TKelvoAboutForm*>(root);
    form->SetCaption(u"About");
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poMainFormCenter);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-11);
    // The client size needs the window: without it the library takes it for the whole window's size.
    form->HandleNeeded();
    form->SetClientWidth(550);
    form->SetClientHeight(367);
    form->SetKeyPreview(true);
    form->OnKeyDown = MakeMethod<&TKelvoAboutForm::FormKeyDown>(form);

    TUniTabControl* tabs = form->AboutTabControl = Create<TUniTabControl>(form);
    tabs->SetName("AboutTabControl");
    tabs->SetParent(form);
    tabs->SetBounds(4, 4, 544, 361);
    tabs->SetAnchors({akLeft, akTop, akRight, akBottom});
    tabs->Tabs()->Add(u"About");
    tabs->OnChange = MakeMethod<&TKelvoAboutForm::AboutTabControlChange>(form);
}

void TKelvoAboutForm::SetContent(const TKelvoAboutEntry* entries, int count, const AnsiString& resourceName) {
    Background = Create<TKelvoLogoBackground>(this);
    Background->SetParent(AboutTabControl);
    Background->SetAlign(alClient);
    Background->LoadPicture(resourceName);

    TKelvoAboutMetrics metrics;
    metrics.ShownWidth = Background->Width();
    metrics.PictureWidth = Background->PictureWidth();
    TKelvoAboutLayout layout(metrics);
    tabs_ = KelvoAboutTabs(entries, count);
    for (int i = 0; i < count; ++i) {
        const TKelvoAboutEntry& entry = entries[i];
        auto* label = Create<TUniLabel>(this);
        label->SetParent(Background);
        label->SetTransparent(true);
        label->SetShowAccelChar(false);
        TFontStyles style;
        if (entry.Flags & KelvoAboutBold) style.Include(fsBold);
        if (entry.Flags & KelvoAboutWhite) label->Font()->SetColor(clWhite);
        const WideString text = entry.Text ? WideString(entry.Text) : GetText(entry.TextId);
        if (entry.Flags & KelvoAboutLink) {
            style.Include(fsUnderline);
            label->Font()->SetColor(kLinkColour);
            label->SetCursor(crHandPoint);
            label->SetHint(text);
            label->SetShowHint(true);
            label->OnClick = MakeMethod<&TKelvoAboutForm::LinkClick>(this);
        }
        label->Font()->SetStyle(style);
        label->SetWordWrap((entry.Flags & KelvoAboutWordWrap) != 0);
        if (entry.Flags & KelvoAboutRightAligned) label->SetAlignment(taRightJustify);
        label->SetCaption(KelvoAboutLabelText(entry, text));
        if (i == 0) {
            // The first label's font sets the line height of the whole text.
            TEXTMETRICW tm{};
            const TWindowDC screen;
            const HGDIOBJ old = ::SelectObject(screen.Get(), label->Font()->Handle());
            ::GetTextMetricsW(screen.Get(), &tm);
            ::SelectObject(screen.Get(), old);
            metrics.TextHeight = tm.tmHeight;
            metrics.ExternalLeading = tm.tmExternalLeading;
            metrics.AverageCharWidth = tm.tmAveCharWidth;
            layout = TKelvoAboutLayout(metrics);
        }
        const TKelvoAboutPlace place = layout.Next(entry);
        if (place.Width != 0 || place.Height != 0) {
            label->SetAutoSize(false);
            label->SetBounds(place.Left, place.Top, place.Width != 0 ? place.Width : label->Width(),
                             place.Height != 0 ? place.Height : label->Height());
        } else {
            label->SetBounds(place.Left, place.Top, label->Width(), label->Height());
        }
        layout.Placed(label->Left() + label->Width());
        label->SetTag(entry.TabIndex);
        Labels.push_back(label);
    }
    while (AboutTabControl->Tabs()->Count() < static_cast<int>(tabs_.size())) AboutTabControl->Tabs()->Add(u"");
    Localize();
    AboutTabControlChange(nullptr);
}

void TKelvoAboutForm::Localize() {
    SetCaption(GetText(KelvoTextAbout, u"About"));
    for (int i = 0; i < AboutTabControl->Tabs()->Count() && i < static_cast<int>(tabs_.size()); ++i) {
        const std::int32_t id = KelvoAboutTabTextId(tabs_[static_cast<std::size_t>(i)]);
        AboutTabControl->Tabs()->Put(i, id ? GetText(id) : WideString());
    }
}

void TKelvoAboutForm::AboutTabControlChange(TObject*) {
    // Before the tab control has its window no tab is selected yet; the first one will be.
    const int selected = std::max(AboutTabControl->TabIndex(), 0);
    for (TUniLabel* label : Labels)
        label->SetVisible(KelvoAboutLabelShows(tabs_, selected, static_cast<std::int32_t>(label->Tag())));
}

void TKelvoAboutForm::FormKeyDown(TObject*, std::uint16_t& key, TShiftState) {
    if (key == VK_ESCAPE || key == VK_RETURN) Close();
}

void TKelvoAboutForm::LinkClick(TObject* sender) {
    auto* label = dynamic_cast<TUniLabel*>(sender);
    if (!label) return;
    const WideString target = label->Hint();
    ::ShellExecuteW(Handle(), L"open", WideCStr(target), nullptr, nullptr, SW_SHOWNORMAL);
}
