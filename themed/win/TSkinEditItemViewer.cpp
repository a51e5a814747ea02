#include "themed/win/TSkinEditItemViewer.h"

#include <algorithm>
#include <vector>

#include "classlib/core/CodePages.h"
#include "classlib/core/Messages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/WindowDC.h"
#include "themed/win/SkinLogFont.h"
#include "themed/win/TSkinEditItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinPopupWindow.h"
#include "toolbar/core/Captions.h"
#include "toolbar/win/TTBView.h"
#include "toolbar/win/TextDrawing.h"

namespace {

// The font a log font becomes under settings.
void ApplySettings(LOGFONTW& log, const TFontSettings* settings) {
    skin::TFontDescription font = skin::FontDescriptionOf(log);
    settings->Apply(font);
    skin::ApplyFontDescription(font, log);
}

// The view's font under settings, selected into a DC while it lives.
class TSettingsFont {
public:
    TSettingsFont(HDC dc, HFONT viewFont, const TFontSettings* settings) : dc_(dc) {
        LOGFONTW log{};
        ::GetObjectW(viewFont, sizeof log, &log);
        ApplySettings(log, settings);
        font_ = ::CreateFontIndirectW(&log);
        old_ = ::SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : static_cast<HGDIOBJ>(viewFont));
    }
    ~TSettingsFont() {
        ::SelectObject(dc_, old_);
        if (font_) ::DeleteObject(font_);
    }
    TSettingsFont(const TSettingsFont&) = delete;
    TSettingsFont& operator=(const TSettingsFont&) = delete;

private:
    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

int Metric(int index) { return CurrentTheme().GetIntegerMetrics(index); }

int ImageColumn(const TTBView* view, TCustomImageList* images) {
    if (auto* popup = dynamic_cast<const TSkinPopupView*>(view)) return popup->PopupMargin();
    return skin::SkinPopupMargin(images ? images->Width() : 16);
}

}  // namespace

TSkinEditItem* TSkinEditItemViewer::SkinEditItem() const { return static_cast<TSkinEditItem*>(Item()); }

bool TSkinEditItemViewer::IsToolbarStyle() const {
    return TTBEditItemViewer::IsToolbarStyle() || skin::ViewKind(GetViewType(View())) == skin::vtEditPopup;
}

bool TSkinEditItemViewer::IsToolbarSize() const {
    return TTBEditItemViewer::IsToolbarSize() || skin::ViewKind(GetViewType(View())) == skin::vtEditPopup;
}

bool TSkinEditItemViewer::IsEditImageShown() const { return SkinEditItem()->ShowImage(); }

int TSkinEditItemViewer::GetImagePartWidth() const {
    TCustomImageList* images = GetImageList();
    return IsEditImageShown() && images ? images->Width() + 2 : 0;
}

int TSkinEditItemViewer::MenuCaptionWidth(HDC dc) const {
    const WideString caption = tb::StripAccelChars(SkinEditItem()->EditCaption());
    if (caption.empty()) return 0;
    TSettingsFont font(dc, View()->GetFont(), SkinEditItem()->FontSettings());
    return tb::GetTextWidthW(dc, caption, false);
}

void TSkinEditItemViewer::CalcSize(HDC dc, int& width, int& height) {
    if (!SkinNexus()) {
        TTBEditItemViewer::CalcSize(dc, width, height);
        return;
    }
    TSkinTheme& theme = CurrentTheme();
    width = SkinEditItem()->EditWidth();
    int captionHeight = 0;
    if (!IsToolbarStyle()) {
        const int caption = MenuCaptionWidth(dc);
        if (caption > 0) {
            width += caption + Metric(33) + Metric(34) + Metric(32);
            TSettingsFont font(dc, View()->GetFont(), SkinEditItem()->FontSettings());
            captionHeight = tb::GetTextHeight(dc);
        }
        width += Metric(32) + ImageColumn(View(), GetImageList()) + Metric(66);
    }
    TEXTMETRICW tm{};
    {
        TSettingsFont font(dc, View()->GetFont(), SkinEditItem()->EditorFontSettings());
        ::GetTextMetricsW(dc, &tm);
    }
    height = tm.tmHeight + tm.tmExternalLeading + 2 * Metric(62) + 2 * Metric(60) + 1;
    height = std::max(height, captionHeight);
    if (!theme.GetBooleanMetrics(4))
        height |= 1;
    else
        height += height & 1;
}

TSkinEditItemViewer::TParts TSkinEditItemViewer::Parts(HDC dc, const TRect& client) const {
    TParts p;
    p.field = client;
    if (!IsToolbarStyle()) {
        const int caption = MenuCaptionWidth(dc);
        int left = client.Left + Metric(32) + ImageColumn(View(), GetImageList());
        int frameRight = left;
        if (caption > 0) {
            p.caption = TRect{left + Metric(33), client.Top, left + Metric(33) + caption, client.Bottom};
            frameRight = p.caption.Right + Metric(34);
            left += Metric(34) + caption + Metric(32);
        }
        p.menuFrame =
            TRect{client.Left, client.Top, CurrentTheme().GetBooleanMetrics(3) ? client.Right - Metric(66) : frameRight,
                  client.Bottom};
        p.field = TRect{left, client.Top, client.Right - Metric(66), client.Bottom};
    }
    const int dx = Metric(60) + Metric(61), dy = Metric(60) + Metric(62);
    const TRect inner{p.field.Left + dx, p.field.Top + dy, p.field.Right - dx, p.field.Bottom - dy};
    p.image = TRect{inner.Left, inner.Top, inner.Left + GetImagePartWidth(), inner.Bottom};
    p.text = TRect{inner.Left + GetImagePartWidth(), inner.Top, inner.Right - GetDropDownPartWidth() - 1, inner.Bottom};
    return p;
}

TRect TSkinEditItemViewer::GetEditRect() const {
    if (!SkinNexus()) return TTBEditItemViewer::GetEditRect();
    const TWindowDC dc;
    const TRect b = BoundsRect();
    const HGDIOBJ old = ::SelectObject(dc.Get(), View()->GetFont());
    const TRect text = Parts(dc.Get(), TRect{0, 0, b.Width(), b.Height()}).text;
    ::SelectObject(dc.Get(), old);
    return TRect{b.Left + text.Left, b.Top + text.Top, b.Left + text.Right, b.Top + text.Bottom};
}

bool TSkinEditItemViewer::IsPtInButtonPart(int, int) const { return true; }

skin::TSkinItemInfo TSkinEditItemViewer::GetItemInfo(bool isSelected, bool isPushed) const {
    skin::TSkinItemInfo info;
    info.ViewType = GetViewType(View());
    if (IsToolbarStyle()) info.ItemOptions |= skin::ioToolbarStyle;
    if (Item()->ComponentState().Contains(csDesigning)) info.ItemOptions |= skin::ioDesigning;
    info.Enabled = Item()->Enabled() || View()->Customizing();
    info.Pushed = isPushed;
    info.Selected = Item()->Checked();
    if (!isSelected)
        info.HoverKind = skin::hkNone;
    else if (info.Enabled)
        info.HoverKind = skin::hkHot;
    else if (!View()->MouseOverSelected())
        info.HoverKind = skin::hkDisabledKeyboard;
    TCustomImageList* images = GetImageList();
    info.ImageShown = IsEditImageShown() && images;
    if (images) {
        info.ImageWidth = images->Width();
        info.ImageHeight = images->Height();
    }
    if (!IsToolbarStyle()) info.ImageWidth = ImageColumn(View(), images);
    return info;
}

skin::TSkinEditFrameInfo TSkinEditItemViewer::GetEditFrameInfo() const {
    skin::TSkinEditFrameInfo frame;
    frame.LeftButtonWidth = GetImagePartWidth();
    frame.RightButtonWidth = GetDropDownPartWidth();
    return frame;
}

void TSkinEditItemViewer::Paint(HDC dc, const TRect& client, bool isSelected, bool isPushed, bool disabledShadow) {
    if (!SkinNexus()) {
        TTBEditItemViewer::Paint(dc, client, isSelected, isPushed, disabledShadow);
        return;
    }
    TSkinTheme& theme = CurrentTheme();
    TSkinEditItem* item = SkinEditItem();
    const skin::TSkinItemInfo info = GetItemInfo(isSelected, isPushed);
    const TParts p = Parts(dc, client);
    if (!IsToolbarStyle()) {
        theme.PaintMenuItemFrame(dc, p.menuFrame, info);
        if (!p.caption.IsEmpty()) {
            TSettingsFont font(dc, View()->GetFont(), item->FontSettings());
            const TColor own = item->FontSettings()->Color();
            theme.PaintCaption(dc, p.caption, info, item->EditCaption(), DT_SINGLELINE | DT_VCENTER,
                               own == TFontSettings::KeepColor ? TColor(0x20000000) : own);
        }
    }
    theme.PaintEditFrame(dc, p.field, info, GetEditFrameInfo());
    if (GetDropDownPartWidth() > 0) {
        const TRect inside{p.field.Left + 1, p.field.Top + 1, p.field.Right - 1, p.field.Bottom - 1};
        PaintDropDownPart(dc, TRect{inside.Right - GetDropDownPartWidth(), inside.Top, inside.Right, inside.Bottom},
                          info);
    }
    TCustomImageList* images = GetImageList();
    if (info.ImageShown && images) {
        const int top = (p.image.Top + p.image.Bottom - images->Height() + 1) / 2;
        theme.PaintImage(dc, TRect{p.image.Left, top, p.image.Left + images->Width(), top + images->Height()}, info,
                         images, item->GetImageIndex());
    }
    if (item->Text().empty() || InEditLoop()) return;
    WideString text = item->Text();
    if (item->Password()) text.assign(text.size(), u'\x25CF');
    TSettingsFont font(dc, View()->GetFont(), item->EditorFontSettings());
    const TColor own = item->EditorFontSettings()->Color();
    COLORREF color = ::GetSysColor(COLOR_WINDOWTEXT);
    if (!Item()->Enabled())
        color = ::GetSysColor(COLOR_GRAYTEXT);
    else if (own != TFontSettings::KeepColor)
        color = static_cast<COLORREF>(ColorToRGB(own));
    ::SetTextColor(dc, color);
    ::SetBkMode(dc, TRANSPARENT);
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    RECT r{p.text.Left, p.text.Top, p.text.Right, p.text.Bottom};
    tb::DrawTextWide(dc, text, r, kAlign[item->Alignment()] | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}

void TSkinEditItemViewer::GetEditStyle(DWORD& style, DWORD&, TColor&) {
    static constexpr DWORD kAlign[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    style |= kAlign[SkinEditItem()->Alignment()];
    if (SkinEditItem()->Password()) style |= ES_PASSWORD;
}

void TSkinEditItemViewer::AdjustEditFont(LOGFONTW& font) { ApplySettings(font, SkinEditItem()->EditorFontSettings()); }

TColor TSkinEditItemViewer::EditTextColor() const {
    const TColor own = SkinEditItem()->EditorFontSettings()->Color();
    return own == TFontSettings::KeepColor ? clWindowText : own;
}

void TSkinEditItemViewer::PrepareEditWindow(HWND edit) {
    typedKeys_.Reset();
    TTBEditItemViewer::PrepareEditWindow(edit);
    if (SkinEditItem()->ReadOnly()) ::SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
    if (SkinEditItem()->Password()) {
        if (::IsWindowUnicode(edit)) {
            ::SendMessageW(edit, EM_SETPASSWORDCHAR, 0x25CF, 0);
        } else {
            // A narrow window takes the character only when the code page has one.
            char narrow = 0;
            BOOL lossy = FALSE;
            const wchar_t wide = 0x25CF;
            if (::WideCharToMultiByte(CP_ACP, 0, &wide, 1, &narrow, 1, nullptr, &lossy) == 1 && !lossy)
                ::SendMessageA(edit, EM_SETPASSWORDCHAR, static_cast<unsigned char>(narrow), 0);
        }
    }
}

bool TSkinEditItemViewer::EditMessageHook(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
    switch (msg) {
        case WM_KEYDOWN: typedKeys_.KeyDown(static_cast<unsigned>(wParam)); break;
        case WM_KEYUP: typedKeys_.KeyUp(static_cast<unsigned>(wParam)); break;
        case WM_KILLFOCUS: typedKeys_.Reset(); break;
        case CN_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE && !SettingText()) HandleEditChange();
            break;
        default: break;
    }
    (void)lParam;
    return false;
}

void TSkinEditItemViewer::HandleEditChange() {
    WideString text = ReadEditText();
    if (!text.empty() && typedKeys_.Typing()) {
        const WideString typed = text;
        if (SkinEditItem()->DoAutoComplete(text)) {
            WriteEditText(text);
            const skin::TTextSelection s = skin::CompletionSelection(typed, text);
            ::SendMessageW(EditWindow(), EM_SETSEL, static_cast<WPARAM>(s.start), s.end);
        }
    }
    SkinEditItem()->DoTyping(text);
}

// Drop-down viewer

TSkinCustomDropDownItem* TSkinDropDownItemViewer::DropDownItem() const {
    return static_cast<TSkinCustomDropDownItem*>(Item());
}

int TSkinDropDownItemViewer::GetDropDownPartWidth() const {
    if (IsToolbarStyle() && SkinNexus()) return Metric(65);
    return ::GetSystemMetrics(SM_CXMENUCHECK) + 2;
}

bool TSkinDropDownItemViewer::IsPtInButtonPart(int x, int) const {
    if (DropDownItem()->DropDownList()) return false;
    const TTBItemStyle style = Item()->ItemStyle();
    if (!style.Contains(tbisCombo)) return !style.Contains(tbisSubmenu);
    return x < BoundsRect().Width() - GetDropDownPartWidth();
}

void TSkinDropDownItemViewer::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (key == VK_F4) {
        View()->OpenChildPopup(true);
        key = 0;
        return;
    }
    if (!DropDownItem()->DropDownList()) TSkinEditItemViewer::KeyDown(key, shift);
}

bool TSkinDropDownItemViewer::EditMessageHook(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_KEYDOWN && wParam == VK_F4) {
        if (View()->OpenViewer() == this)
            View()->CloseChildPopups();
        else
            View()->OpenChildPopup(true);
        result = 0;
        return true;
    }
    return TSkinEditItemViewer::EditMessageHook(msg, wParam, lParam, result);
}

void TSkinDropDownItemViewer::PaintDropDownPart(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) {
    skin::TSkinEditButtonInfo button;
    button.ButtonType = 0;
    if (View()->OpenViewer() == this)
        button.ButtonState = 2;
    else if (info.Enabled && info.HoverKind == skin::hkHot)
        button.ButtonState = 1;
    CurrentTheme().PaintEditButton(dc, rect, info, button);
}
