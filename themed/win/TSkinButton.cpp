#include "themed/win/TSkinButton.h"

#include <vector>

#include "classlib/win/TCustomForm.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TPopupMenu.h"
#include "classlib/win/TTimer.h"
#include "themed/win/SkinDrawing.h"

#include <vssym32.h>

using skin::DrawLineColor;
using skin::FillRectColor;
using skin::FrameRectColor;
using skin::RoundRectColor;

TSkinCustomButton::TSkinCustomButton(TComponent* owner) : TSkinTextObject(owner) {
    imageLink_ = MakeObject<TChangeLink>();
    imageLink_->OnChange = MakeMethod<&TSkinCustomButton::ImagesChanged>(this);
    SetAlignment(taCenter);
    SetTabStop(true);
    SetSmartFocus(true);
    SetSpaceClicks(true);
}

TSkinCustomButton::~TSkinCustomButton() { StopRepeat(); }

void TSkinCustomButton::SetBorderSize(int value) {
    if (borderSize_ == value) return;
    borderSize_ = value;
    Changed();
}

void TSkinCustomButton::SetGlyphSpacing(int value) {
    if (glyphSpacing_ == value) return;
    glyphSpacing_ = value;
    Changed();
}

void TSkinCustomButton::SetLayout(TButtonLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    Changed();
}

void TSkinCustomButton::SetButtonStyle(TButtonStyle value) {
    if (style_ == value) return;
    style_ = value;
    Invalidate();
}

void TSkinCustomButton::SetDropDownCombo(bool value) {
    if (dropDownCombo_ == value) return;
    dropDownCombo_ = value;
    Invalidate();
}

void TSkinCustomButton::SetImages(TCustomImageList* value) {
    if (images_ == value) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    imageLink_->SetSender(value);
    if (value) value->FreeNotification(this);
    Changed();
}

void TSkinCustomButton::ImagesChanged(TObject*) { Changed(); }

void TSkinCustomButton::SetImageIndex(int value) {
    if (imageIndex_ == value) return;
    imageIndex_ = value;
    if (images_) Invalidate();
}

void TSkinCustomButton::SetDropDownMenu(TPopupMenu* value) {
    if (dropDownMenu_ == value) return;
    if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
    dropDownMenu_ = value;
    if (value) value->FreeNotification(this);
    Invalidate();
}

void TSkinCustomButton::Notification(TComponent* component, TOperation operation) {
    TSkinTextObject::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) {
        images_ = nullptr;
        Changed();
    }
    if (component == dropDownMenu_) {
        dropDownMenu_ = nullptr;
        Invalidate();
    }
}

// ---- Group check ----

void TSkinCustomButton::ApplyGroup(bool value) {
    std::vector<TSkinCustomButton*> buttons;
    if (Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSkinCustomButton*>(Parent()->Controls(i))) buttons.push_back(b);
    if (buttons.empty()) buttons.push_back(this);
    std::vector<skin::TGroupedButton> states;
    for (TSkinCustomButton* b : buttons) states.push_back({b->groupIndex_, b->checked_, b->allowAllUnchecked_});
    std::vector<skin::TGroupedButton*> pointers;
    skin::TGroupedButton* self = nullptr;
    for (std::size_t i = 0; i < states.size(); ++i) {
        pointers.push_back(&states[i]);
        if (buttons[i] == this) self = &states[i];
    }
    skin::ApplyGroupCheck(pointers, self, value);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        TSkinCustomButton* b = buttons[i];
        b->allowAllUnchecked_ = states[i].AllowAllUnchecked;
        if (b->checked_ == states[i].Checked) continue;
        b->checked_ = states[i].Checked;
        b->Invalidate();
    }
}

void TSkinCustomButton::SetChecked(bool value) {
    ApplyGroup(value);
    Invalidate();
}

void TSkinCustomButton::SetGroupIndex(int value) {
    if (groupIndex_ == value) return;
    groupIndex_ = value;
    ApplyGroup(checked_);
}

void TSkinCustomButton::SetAllowAllUnchecked(bool value) {
    if (allowAllUnchecked_ == value) return;
    allowAllUnchecked_ = value;
    ApplyGroup(checked_);
}

// ---- Actions ----

TSkinCustomButtonActionLink::TSkinCustomButtonActionLink(TObject* client)
    : TWinControlActionLink(client), button_(dynamic_cast<TSkinCustomButton*>(client)) {}

bool TSkinCustomButtonActionLink::IsCheckedLinked() {
    return button_ && Follows([this](TCustomAction* a) { return button_->Checked() == a->Checked(); });
}
bool TSkinCustomButtonActionLink::IsGroupIndexLinked() {
    return button_ && Follows([this](TCustomAction* a) { return button_->GroupIndex() == a->GroupIndex(); });
}
bool TSkinCustomButtonActionLink::IsImageIndexLinked() {
    return button_ && Follows([this](TCustomAction* a) { return button_->ImageIndex() == a->ImageIndex(); });
}
void TSkinCustomButtonActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) button_->SetChecked(value);
}
void TSkinCustomButtonActionLink::SetGroupIndex(int value) {
    if (IsGroupIndexLinked()) button_->SetGroupIndex(value);
}
void TSkinCustomButtonActionLink::SetImageIndex(int value) {
    if (IsImageIndexLinked()) button_->SetImageIndex(value);
}

TControlActionLinkClass TSkinCustomButton::GetActionLinkClass() {
    return TControlActionLinkClass::Of<TSkinCustomButtonActionLink>();
}

void TSkinCustomButton::ActionChange(TObject* sender, bool checkDefaults) {
    TSkinTextObject::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    // The group first, so that the action's check is taken under the action's group rule.
    if (!checkDefaults || groupIndex_ == 0) SetGroupIndex(action->GroupIndex());
    if (!checkDefaults || !checked_) SetChecked(action->Checked());
    if (!checkDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
}

// ---- Layout ----

bool TSkinCustomButton::ImageShown() const { return images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count(); }

skin::TButtonShape TSkinCustomButton::Shape() {
    skin::TButtonShape s;
    s.BorderSize = borderSize_;
    s.GlyphSpacing = glyphSpacing_;
    s.Layout = layout_;
    s.Alignment = GetTextAlignment();
    s.HasText = !GetCaptionText().empty();
    s.HasImages = images_ != nullptr;
    s.ImageWidth = images_ ? images_->Width() : 0;
    s.ImageHeight = images_ ? images_->Height() : 0;
    s.DropDown = dropDownMenu_ != nullptr;
    s.Combo = dropDownCombo_;
    TSkinTheme& theme = CurrentTheme();
    s.SplitWidth = theme.GetIntegerMetrics(10);
    s.ArrowWidth = theme.GetIntegerMetrics(20);
    s.ArrowSpacing = theme.GetIntegerMetrics(21);
    return s;
}

TRect TSkinCustomButton::GetTextMargins() { return skin::ButtonTextMargins(Shape()); }

TSize TSkinCustomButton::GetTextSize() {
    const skin::TButtonShape s = Shape();
    const TSize text = s.HasText ? TSkinTextObject::GetTextSize() : TSize{};
    return TSize{text.cx, skin::ButtonTextHeight(s, text.cy)};
}

bool TSkinCustomButton::IsPtInButton(TPoint p) {
    return skin::ShrinkRect(ClientRect(), Margins()->Edges()).Contains(p);
}

void TSkinCustomButton::WMNCHitTest(TMessage& message) {
    DispatchInherited<TSkinCustomButton>(this, message);
    const TPoint screen{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    if (!IsPtInButton(ScreenToClient(screen))) message.Result = HTTRANSPARENT;
}

skin::TSkinItemInfo TSkinCustomButton::GetItemInfo() {
    skin::TButtonState s;
    s.Style = style_;
    s.Enabled = Enabled();
    s.Pushed = Pushed();
    s.Hot = Hot();
    s.KeyPushed = KeyPushed();
    s.DropDownOpen = dropDownOpen_;
    s.Combo = dropDownCombo_;
    s.ShowsComboArrow = dropDownMenu_ && dropDownCombo_;
    s.Checked = checked_;
    return skin::ButtonItemInfo(s);
}

// ---- Painting ----

void TSkinCustomButton::PaintFrame(HDC dc, const TRect& area) {
    const skin::TSkinItemInfo info = GetItemInfo();
    if (style_ == bsSystem) {
        RECT r{area.Left, area.Top, area.Right, area.Bottom};
        if (HTHEME button = SkinSystem().styles[scButton]) {
            const int state = !Enabled()    ? PBS_DISABLED
                              : info.Pushed ? PBS_PRESSED
                              : Hot()       ? PBS_HOT
                              : Focused()   ? PBS_DEFAULTED
                                            : PBS_NORMAL;
            DrawParentBackground(this, dc, ClientRect());
            ::DrawThemeBackground(button, dc, BP_PUSHBUTTON, state, &r, nullptr);
            return;
        }
        TRect frame = area;
        if (Focused()) FrameRectColor(dc, frame, clWindowFrame, true);
        if (info.Pushed) {
            FrameRectColor(dc, frame, clBtnShadow, true);
            FillRectColor(dc, frame, clBtnFace);
            return;
        }
        r = RECT{frame.Left, frame.Top, frame.Right, frame.Bottom};
        ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Enabled() ? 0 : DFCS_INACTIVE));
        return;
    }
    TSkinTheme& theme = CurrentTheme();
    if (!(dropDownMenu_ && dropDownCombo_)) {
        theme.PaintButton(dc, area, info);
        return;
    }
    // The split button: the main part, then the arrow part (which draws its arrow), each pushed by itself.
    const skin::TButtonFrame f = skin::ButtonFrame(area, Shape());
    skin::TSkinItemInfo main = info, arrow = info;
    main.ComboPart = 2;
    main.Pushed = info.Pushed && !pressInArrow_;
    arrow.ComboPart = 3;
    arrow.Pushed = dropDownOpen_ || (Pushed() && Hot() && pressInArrow_);
    theme.PaintButton(dc, f.Main, main);
    theme.PaintButton(dc, f.Arrow, arrow);
}

void TSkinCustomButton::Paint() {
    HDC dc = Canvas()->Handle();
    const TRect area = skin::ShrinkRect(ClientRect(), Margins()->Edges());
    PaintFrame(dc, area);
    if (Focused()) {
        const int d = style_ == bsSystem ? 3 : 2;
        const TRect c = ClientRect();
        const RECT r{c.Left + d, c.Top + d, c.Right - d, c.Bottom - d};
        ::SetTextColor(dc, 0);
        ::SetBkColor(dc, 0xFFFFFF);
        ::DrawFocusRect(dc, &r);
    }
    const skin::TButtonShape s = Shape();
    const skin::TButtonFrame f = skin::ButtonFrame(area, s);
    skin::TSkinItemInfo info = GetItemInfo();
    TSkinTheme& theme = CurrentTheme();
    if (dropDownMenu_ && !dropDownCombo_) theme.PaintDropDownArrow(dc, f.Arrow, info);

    TObjectPtr<TFont> font = MakeObject<TFont>();
    font->Assign(Font());
    AdjustFont(font.get());
    HGDIOBJ old = ::SelectObject(dc, font->Handle());
    const skin::TButtonContent content =
        skin::PlaceButtonContent(f.Content, s, [this](int width) { return MeasureText(width); });
    if (ImageShown()) {
        info.ImageShown = true;
        info.ImageWidth = images_->Width();
        info.ImageHeight = images_->Height();
        theme.PaintImage(dc, content.Image, info, images_, imageIndex_);
    }
    if (s.HasText) {
        const std::uint32_t flags =
            (GetDrawTextFlags() & ~static_cast<std::uint32_t>(DT_CENTER | DT_RIGHT)) | content.TextAlign;
        const WideString text = GetCaptionText();
        theme.PaintCaption(dc, content.Text, info, text, flags, clDefault);
    }
    ::SelectObject(dc, old);
}

// ---- Mouse and clicks ----

void TSkinCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != mbLeft || !Enabled()) {
        TSkinTextObject::MouseDown(button, shift, x, y);
        return;
    }
    const TRect area = skin::ShrinkRect(ClientRect(), Margins()->Edges());
    pressInArrow_ = skin::InComboArrow(area, Shape(), x);
    TSkinTextObject::MouseDown(button, shift, x, y);
    if (dropDownMenu_ && (!dropDownCombo_ || pressInArrow_)) {
        if (DoDropDown()) PopUpMenu();
        return;
    }
    if (repeating_) {
        // The clicks come from the press and the timer, not from the release.
        TControlState state = ControlState();
        state.Exclude(csClicked);
        SetControlState(state);
        Click();
        if (!repeatTimer_) {
            repeatTimer_ = MakeObject<TTimer>(nullptr);
            repeatTimer_->OnTimer = MakeMethod<&TSkinCustomButton::RepeatTimer>(this);
        }
        repeatTimer_->SetInterval(repeatDelay_);
        repeatTimer_->SetEnabled(true);
    }
}

void TSkinCustomButton::RepeatTimer(TObject*) {
    if (!MouseCapture()) {
        StopRepeat();
        return;
    }
    repeatTimer_->SetInterval(repeatInterval_);
    POINT p{};
    ::GetCursorPos(&p);
    // Outside the button the timer keeps running without clicking, until the pointer comes back.
    if (Pushed() && IsPtInButton(ScreenToClient(TPoint{p.x, p.y}))) Click();
}

void TSkinCustomButton::StopRepeat() {
    if (repeatTimer_) repeatTimer_.reset();
}

void TSkinCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) StopRepeat();
    TSkinTextObject::MouseUp(button, shift, x, y);
}

void TSkinCustomButton::WMCancelMode(TMessage& message) {
    StopRepeat();
    DispatchInherited<TSkinCustomButton>(this, message);
}

bool TSkinCustomButton::DoDropDown() {
    if (!dropDownMenu_) return false;
    bool allow = true;
    if (OnDropDown) OnDropDown(this, allow);
    return allow;
}

void TSkinCustomButton::PopUpMenu() {
    TControlState state = ControlState();
    state.Exclude(csClicked);
    SetControlState(state);
    if (MouseCapture()) SetMouseCapture(false);
    dropDownOpen_ = true;
    Repaint();
    const TPoint at = ClientToScreen(TPoint{0, Height()});
    dropDownMenu_->Popup(at.X, at.Y);
    dropDownOpen_ = false;
    pressInArrow_ = false;
    SetPushed(false);
    Repaint();
}

void TSkinCustomButton::Click() {
    const bool inArrow = pressInArrow_;
    if (groupIndex_ && !inArrow) SetChecked(!checked_);
    LeaveHot();
    if (!dropDownMenu_ || (dropDownCombo_ && !inArrow)) {
        pressInArrow_ = false;
        if (modalResult_ != mrNone)
            if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
        TSkinTextObject::Click();
        return;
    }
    if (DoDropDown())
        PopUpMenu();
    else
        TSkinTextObject::Click();
}
