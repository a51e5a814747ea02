#include "app/win/TKelvoMessageBox.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TIcon.h"
#include "classlib/win/Win32.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniForm.h"
#include "unicode/win/UniStdControl.h"

namespace {

// The last id of the system's own icons (IDI_INFORMATION); ids above belong to the program.
constexpr int kLastSystemIcon = 32516;

TRect ToRect(const TKelvoRect& r) { return Rect(r.Left, r.Top, r.Right, r.Bottom); }

}  // namespace

TKelvoMessageBox::TKelvoMessageBox(const WideString& text, int iconId) : text_(text) {
    if (iconId == KelvoMessageBoxNoIcon) return;
    icon_ = MakeObject<TIcon>();
    if (iconId > kLastSystemIcon) {
        icon_->LoadFromResourceID(nullptr, iconId);
    } else {
        // System icons are shared: the icon object owns a copy it may destroy.
        const HICON shared = ::LoadIconW(nullptr, MAKEINTRESOURCEW(iconId));
        if (shared) icon_->SetHandle(::CopyIcon(shared));
        if (icon_->Empty()) icon_.reset();
    }
}

TKelvoMessageBox::~TKelvoMessageBox() = default;

int TKelvoMessageBox::Show(const WideString& caption, const std::vector<WideString>& buttons, bool& checked,
                           const WideString& checkCaption, int lastButton) {
    const int count = lastButton + 1;
    if (lastButton < -1 || count > int(buttons.size()))
        throw CreateFmt<EListError>("List index out of bounds (%d)", {lastButton});

    TObjectPtr<TUniForm> form(Create<TUniForm>(Application, NoBuilders));
    form_ = form.get();
    TScopeExit forget([this] { form_ = nullptr; });
    form->SetCaption(caption);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poMainFormCenter);
    form->Font()->SetName("Tahoma");
    form->OnPaint = MakeMethod<&TKelvoMessageBox::PaintForm>(this);

    // Measured with the font that paints it.
    TRect measured = Rect(0, 0, KelvoMessageBoxTextWidth, 0);
    form->Canvas()->Font()->Assign(form->Font());
    uni::CanvasDrawTextW(form->Canvas(), text_, measured, DT_CALCRECT | DT_WORDBREAK);

    TKelvoMessageBoxMeasures measures{
        .TextWidth = measured.Width(), .TextHeight = measured.Height(), .ButtonCount = count};
    if (icon_) {
        measures.HasIcon = true;
        measures.IconWidth = icon_->Width();
        measures.IconHeight = icon_->Height();
    }
    TUniCheckBox* checkBox = nullptr;
    if (!checkCaption.empty()) {
        checkBox = Create<TUniCheckBox>(form.get());
        checkBox->SetParent(form.get());
        checkBox->SetCaption(checkCaption);
        checkBox->SetChecked(checked);
        measures.HasCheckBox = true;
        measures.CheckBoxHeight = checkBox->Height();
    }
    layout_ = KelvoLayoutMessageBox(measures);
    form->SetClientWidth(layout_.ClientWidth);
    form->SetClientHeight(layout_.ClientHeight);
    if (checkBox) checkBox->SetBounds(layout_.CheckBox.X, layout_.CheckBox.Y, measures.TextWidth, checkBox->Height());
    for (int i = 0; i < count; ++i) {
        TUniButton* button = Create<TUniButton>(form.get());
        button->SetParent(form.get());
        button->SetBoundsRect(ToRect(layout_.Buttons[i]));
        button->SetCaption(buttons[i]);
        button->SetTag(i);
        button->SetModalResult(i + 1);
        button->OnClick = MakeMethod<&TKelvoMessageBox::ButtonClick>(this);
    }

    pressed_ = KelvoMessageBoxClosed;
    form->ShowModal();
    if (checkBox) checked = checkBox->Checked();
    return pressed_;
}

void TKelvoMessageBox::ButtonClick(TObject* sender) { pressed_ = int(static_cast<TComponent*>(sender)->Tag()); }

void TKelvoMessageBox::PaintForm(TObject*) {
    if (!form_) return;
    TCanvas* canvas = form_->Canvas();
    if (icon_)
        ::DrawIconEx(canvas->Handle(), layout_.Icon.Left, layout_.Icon.Top, icon_->Handle(), 0, 0, 0, nullptr,
                     DI_NORMAL);
    canvas->Brush()->SetStyle(bsClear);
    TRect text = ToRect(layout_.Text);
    uni::CanvasDrawTextW(canvas, text_, text, DT_WORDBREAK);
}

int ShowMessageBox(const WideString& caption, const WideString& text, const std::vector<WideString>& buttons,
                   bool& checked, const WideString& checkCaption, int iconId, int lastButton) {
    TKelvoMessageBox box(text, iconId);
    return box.Show(caption, buttons, checked, checkCaption, lastButton);
}
