#include "themed/win/TSkinTextObject.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/CodePages.h"
#include "classlib/core/TFiler.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/THintWindow.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "toolbar/win/TTBHintWindow.h"
#include "unicode/win/TUniAction.h"
#include "unicode/win/UniControls.h"
#include "unicode/win/UniStdControl.h"

static_assert(skin::kDtEndEllipsis == DT_END_ELLIPSIS && skin::kDtHidePrefix == DT_HIDEPREFIX &&
              skin::kDtPathEllipsis == DT_PATH_ELLIPSIS && skin::kDtCalcRect == DT_CALCRECT);

TSkinTextObject::TSkinTextObject(TComponent* owner) : TSkinControl(owner) {
    margins_ = MakeObject<TSkinControlMargins>();
    margins_->OnChange = MakeMethod<&TSkinTextObject::MarginsChanged>(this);
    TSkinControl::SetAutoSize(true);
}

TSkinTextObject::~TSkinTextObject() = default;

void TSkinTextObject::SetCaption(const WideString& value) {
    if (caption_ == value) return;
    caption_ = value;
    TControl::SetText(uni::ToAnsi(value));
    RepaintAndSize();
}

void TSkinTextObject::SetHint(const WideString& value) {
    hint_ = value;
    // The library's hint path looks for a hint before it asks the control; the wide one is shown.
    TControl::SetHint(uni::ToAnsi(value));
}

void TSkinTextObject::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TSkinTextObject::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value) return;
    showAccelChar_ = value;
    RepaintAndSize();
}

void TSkinTextObject::SetWrapping(TTextWrapping value) {
    if (wrapping_ == value) return;
    wrapping_ = value;
    RepaintAndSize();
}

void TSkinTextObject::SetAutoSize(bool value) {
    TSkinControl::SetAutoSize(value);
    if (value) AdjustSize();
}

void TSkinTextObject::MarginsChanged(TObject*) { RepaintAndSize(); }

void TSkinTextObject::RepaintAndSize() { Changed(); }

void TSkinTextObject::Changed() {
    AdjustSize();
    Invalidate();
}

void TSkinTextObject::Loaded() {
    TSkinControl::Loaded();
    AdjustSize();
}

void TSkinTextObject::DefineProperties(TFiler* filer) {
    TSkinControl::DefineProperties(filer);
    filer->DefineProperty(
        "Caption", [this](TReader& r) { SetCaption(r.ReadWideString()); },
        [this](TWriter& w) { w.WriteWideString(caption_); }, !caption_.empty());
    filer->DefineProperty(
        "Hint_W", [this](TReader& r) { SetHint(r.ReadWideString()); }, [this](TWriter& w) { w.WriteWideString(hint_); },
        !hint_.empty());
    filer->DefineProperty(
        "Hint", [this](TReader& r) { SetHint(r.ReadWideString()); }, {}, false);
}

bool TSkinTextObject::CanAutoSize(int& newWidth, int& newHeight) {
    const TComponentState state = ComponentState();
    if (sizing_ || state.Contains(csLoading) || state.Contains(csDestroying)) return false;
    sizing_ = true;
    const TSize text = GetTextSize();
    sizing_ = false;
    newHeight = text.cy + margins_->Top() + margins_->Bottom();
    (void)newWidth;
    return true;
}

void TSkinTextObject::ActionChange(TObject* sender, bool checkDefaults) {
    TSkinControl::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<TBasicAction*>(sender);
    if (!action) return;
    if (!checkDefaults || caption_.empty()) SetCaption(uni::GetActionWideCaption(action));
    if (!checkDefaults || hint_.empty()) SetHint(uni::GetActionWideHint(action));
}

void TSkinTextObject::Resize() {
    TSkinControl::Resize();
    if (Width() == sizedWidth_) return;
    sizedWidth_ = Width();
    AdjustSize();
}

std::uint32_t TSkinTextObject::GetDrawTextFlags() {
    const bool rtl = false;
    return skin::TextDrawFlags(GetTextAlignment(), rtl, wrapping_, showAccelChar_, KeyboardCuesVisible());
}

TSize TSkinTextObject::MeasureText(int width) {
    TObjectPtr<TFont> font = MakeObject<TFont>();
    font->Assign(Font());
    AdjustFont(font.get());
    // Sizing, aligning and painting ask again and again for the same text in the same font; each measuring
    // selects a new font into the screen, which costs the windowing system more than the rest together.
    TMeasured key{font->LogFont(), width, GetDrawTextFlags() | DT_CALCRECT, GetCaptionText(), {}};
    if (measured_ && SameMeasuring(*measured_, key)) return measured_->size;
    const TWindowDC screen;
    HGDIOBJ old = ::SelectObject(screen.Get(), font->Handle());
    TRect r = Rect(0, 0, width > 0 ? width : 1, 0);
    DoDrawText(screen.Get(), r, key.flags);
    ::SelectObject(screen.Get(), old);
    key.size = TSize{r.Width(), r.Height()};
    measured_ = std::make_unique<TMeasured>(std::move(key));
    return measured_->size;
}

bool TSkinTextObject::SameMeasuring(const TMeasured& a, const TMeasured& b) {
    return a.width == b.width && a.flags == b.flags && a.text == b.text &&
           std::memcmp(&a.font, &b.font, sizeof a.font) == 0;
}

TRect TSkinTextObject::MeasuredTextRect() {
    const TRect area = skin::ShrinkRect(skin::ShrinkRect(ClientRect(), margins_->Edges()), GetTextMargins());
    const TSize text = MeasureText(area.Width());
    TRect r = area;
    r.Top = area.Top + (area.Height() - text.cy) / 2;
    r.Bottom = r.Top + text.cy;
    switch (GetTextAlignment()) {
        case taLeftJustify: r.Right = std::min(area.Right, area.Left + text.cx); break;
        case taRightJustify: r.Left = std::max(area.Left, area.Right - text.cx); break;
        case taCenter:
            r.Left = std::max(area.Left, (area.Left + area.Right - text.cx) / 2);
            r.Right = std::min(area.Right, r.Left + text.cx);
            break;
    }
    return r;
}

TSize TSkinTextObject::GetTextSize() {
    const TRect tm = GetTextMargins();
    const int width = Width() - margins_->Left() - margins_->Right() - tm.Left - tm.Right;
    const TSize text = MeasureText(width);
    return TSize{text.cx + tm.Left + tm.Right, text.cy + tm.Top + tm.Bottom};
}

void TSkinTextObject::DoDrawText(HDC dc, TRect& rect, std::uint32_t flags) {
    WideString text = GetCaptionText();
    if (flags & DT_CALCRECT) {
        text = skin::MeasuredCaption(text);
        RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
        ::DrawTextW(dc, WideCStr(text), static_cast<int>(text.size()), &r, flags);
        rect = Rect(r.left, r.top, r.right, r.bottom);
        return;
    }
    DrawCaption(dc, text, rect, flags);
}

void TSkinTextObject::DrawCaption(HDC dc, const WideString& text, TRect rect, std::uint32_t flags) {
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    auto draw = [&](const TRect& r, TColor color) {
        RECT rc{r.Left, r.Top, r.Right, r.Bottom};
        ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
        ::DrawTextW(dc, WideCStr(text), static_cast<int>(text.size()), &rc, flags);
    };
    if (Enabled()) {
        draw(rect, paintColor_);
    } else {
        draw(Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1), clBtnHighlight);
        draw(rect, clBtnShadow);
    }
    ::SetBkMode(dc, mode);
}

void TSkinTextObject::Paint() {
    HDC dc = Canvas()->Handle();
    TRect inner = skin::ShrinkRect(ClientRect(), margins_->Edges());
    if (Focused()) {
        const TRect f = GetFocusRect();
        if (!f.IsEmpty()) {
            const RECT r{f.Left, f.Top, f.Right, f.Bottom};
            ::SetTextColor(dc, 0);
            ::SetBkColor(dc, 0xFFFFFF);
            ::DrawFocusRect(dc, &r);
        }
    }
    TObjectPtr<TFont> font = MakeObject<TFont>();
    font->Assign(Font());
    AdjustFont(font.get());
    HGDIOBJ old = ::SelectObject(dc, font->Handle());
    const TRect tm = GetTextMargins();
    TRect text = skin::ShrinkRect(inner, tm);
    const int h = MeasureText(text.Width()).cy;
    text.Top += (text.Height() - h) / 2;
    text.Bottom = text.Top + h;
    paintColor_ = font->Color();
    DoDrawText(dc, text, GetDrawTextFlags());
    ::SelectObject(dc, old);
}

bool TSkinTextObject::DoKeyDown(std::uint16_t key, TShiftState shift) {
    if (key == VK_RETURN && shift.Empty() && Focused()) {
        Click();
        return true;
    }
    return false;
}

void TSkinTextObject::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (DoKeyDown(key, shift)) {
        key = 0;
        return;
    }
    TSkinControl::KeyDown(key, shift);
}

void TSkinTextObject::CMDialogChar(TMessage& message) {
    if (Enabled() && Showing() && showAccelChar_ && uni::IsAccelMessageW(message, GetCaptionText())) {
        DoAccelerator();
        message.Result = 1;
        return;
    }
    DispatchInherited<TSkinTextObject>(this, message);
}

void TSkinTextObject::CMFontChanged(TMessage& message) {
    DispatchInherited<TSkinTextObject>(this, message);
    Changed();
}

void TSkinTextObject::CMHintShow(TMessage& message) {
    auto* info = reinterpret_cast<THintInfo*>(message.LParam);
    message.Result = 0;
    if (!info) return;
    info->HintStr = WideToAnsi(uni::ShortWideHint(hint_), CodePageUtf8);
    info->HintWindowClass = THintWindowClass::Of<TTBHintWindow>();
}

void TSkinTextObject::WMUpdateUIState(TMessage& message) {
    const bool before = KeyboardCuesVisible();
    DispatchInherited<TSkinTextObject>(this, message);
    if (before != KeyboardCuesVisible()) Changed();
}
