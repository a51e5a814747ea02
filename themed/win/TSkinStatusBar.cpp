#include "themed/win/TSkinStatusBar.h"

#include <vector>

#include "classlib/win/TCustomForm.h"
#include "classlib/win/TCustomImageList.h"
#include "themed/core/SkinControlRules.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WideChars.h"

TSkinCustomStatusBar::TSkinCustomStatusBar(TComponent* owner) : TCustomControl(owner) {
    panels_ = MakeObject<TSkinStatusPanels>(this);
    imageLink_ = MakeObject<TChangeLink>();
    imageLink_->OnChange = MakeMethod<&TSkinCustomStatusBar::ImagesChanged>(this);
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    style.Include(csCaptureMouse);
    style.Include(csClickEvents);
    style.Include(csDoubleClicks);
    SetControlStyle(style);
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 22);
    SetAlign(alBottom);
    SetDoubleBuffered(true);
    AddThemeNotification(this);
    UpdatePanels();
}

TSkinCustomStatusBar::~TSkinCustomStatusBar() {
    RemoveThemeNotification(this);
    // Hosted controls leave their panels as they go; the panels go before the bar's children.
    for (int i = 0; i < panels_->Count(); ++i) panels_->Items(i)->control_ = nullptr;
    panels_->Clear();
}

void TSkinCustomStatusBar::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    // Double-buffered painting covers every resize; a whole-window redraw would only flash.
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TSkinCustomStatusBar::SetImages(TCustomImageList* value) {
    if (images_ == value) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    imageLink_->SetSender(value);
    if (value) value->FreeNotification(this);
    Invalidate();
}

void TSkinCustomStatusBar::ImagesChanged(TObject*) { Invalidate(); }

void TSkinCustomStatusBar::SetSimplePanel(bool value) {
    if (simplePanel_ == value) return;
    simplePanel_ = value;
    Invalidate();
}

void TSkinCustomStatusBar::SetSimpleText(const WideString& value) {
    if (simpleText_ == value) return;
    simpleText_ = value;
    if (simplePanel_) Invalidate();
}

void TSkinCustomStatusBar::SetSizeGrip(bool value) {
    if (sizeGrip_ == value) return;
    sizeGrip_ = value;
    Invalidate();
}

void TSkinCustomStatusBar::SetUseSystemFont(bool value) {
    if (useSystemFont_ == value) return;
    useSystemFont_ = value;
    Invalidate();
}

void TSkinCustomStatusBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) {
        images_ = nullptr;
        Invalidate();
    }
    if (TSkinStatusPanel* panel = PanelOf(dynamic_cast<TControl*>(component))) panel->control_ = nullptr;
}

void TSkinCustomStatusBar::Loaded() {
    TCustomControl::Loaded();
    ArrangePanels();
}

// ---- Layout ----

TSkinStatusPanel* TSkinCustomStatusBar::PanelOf(TControl* control) const {
    if (!control) return nullptr;
    for (int i = 0; i < panels_->Count(); ++i)
        if (panels_->Items(i)->control_ == control) return panels_->Items(i);
    return nullptr;
}

void TSkinCustomStatusBar::PlaceControl(TSkinStatusPanel*, TWinControl* control) {
    const bool was = placing_;
    placing_ = true;
    control->SetParent(this);
    placing_ = was;
    control->FreeNotification(this);
}

void TSkinCustomStatusBar::UpdatePanels() {
    // A bar made before the nexus runs keeps the classic margins until the first theme change.
    if (SkinNexus()) contentMargins_ = CurrentTheme().GetMargins(3);
    ArrangePanels();
}

void TSkinCustomStatusBar::ArrangePanels() {
    const int n = panels_->Count();
    if (n == 0) return;
    std::vector<skin::TStatusPanelSpec> wanted(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const TSkinStatusPanel* p = panels_->Items(i);
        wanted[i] = {p->size_, p->maxSize_, p->stretchPriority_, p->viewPriority_};
    }
    const std::vector<skin::TStatusPanelPlace> places = skin::ArrangeStatusPanels(wanted, ClientRect());
    const bool was = placing_;
    placing_ = true;
    for (int i = 0; i < n; ++i) {
        TSkinStatusPanel* p = panels_->Items(i);
        p->place_ = places[i];
        if (!p->control_) continue;
        TRect r = p->framed_ ? skin::ShrinkRect(places[i].Bounds, contentMargins_) : places[i].Bounds;
        if (!places[i].Shown) r = TRect{};
        p->control_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    placing_ = was;
}

void TSkinCustomStatusBar::Resize() {
    ArrangePanels();
    TCustomControl::Resize();
}

void TSkinCustomStatusBar::InvalidatePanel(TSkinStatusPanel* panel) {
    if (!HandleAllocated() || !panel->Shown()) return;
    const TRect b = panel->BoundsRect();
    const RECT r{b.Left, b.Top, b.Right, b.Bottom};
    ::InvalidateRect(WindowHandle(), &r, FALSE);
}

TSkinStatusPanel* TSkinCustomStatusBar::PanelAt(TPoint p) {
    std::vector<skin::TStatusPanelPlace> places;
    for (int i = 0; i < panels_->Count(); ++i) places.push_back(panels_->Items(i)->place_);
    const int index = simplePanel_ ? -1 : skin::StatusPanelAt(places, p);
    return index < 0 ? nullptr : panels_->Items(index);
}

// ---- Size grip ----

bool TSkinCustomStatusBar::SizeGripActive() {
    TCustomForm* form = GetParentForm(this);
    if (!form || !HandleAllocated()) return false;
    const TRect own = ClientRect(), formClient = form->ClientRect();
    return skin::SizeGripActive(sizeGrip_, form->WindowState() == wsNormal, ClientToScreen(own.BottomRight()),
                                form->ClientToScreen(formClient.BottomRight()));
}

TRect TSkinCustomStatusBar::SizeGripRect() {
    return skin::SizeGripRect(ClientRect(), ::GetSystemMetrics(SM_CXVSCROLL));
}

void TSkinCustomStatusBar::WMNCHitTest(TMessage& message) {
    DispatchInherited<TSkinCustomStatusBar>(this, message);
    const TPoint screen{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    if (SizeGripActive() && SizeGripRect().Contains(ScreenToClient(screen))) message.Result = HTBOTTOMRIGHT;
}

void TSkinCustomStatusBar::WMNCLButtonDown(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (message.WParam != HTBOTTOMRIGHT || !form) {
        DispatchInherited<TSkinCustomStatusBar>(this, message);
        return;
    }
    // The grip sizes the form, not the bar: the form runs its own sizing loop from its corner.
    ::ReleaseCapture();
    ::SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, message.LParam);
    message.Result = 0;
}

// ---- Hosted controls, theme, clicks ----

void TSkinCustomStatusBar::CMControlChange(TMessage& message) {
    DispatchInherited<TSkinCustomStatusBar>(this, message);
    auto* control = dynamic_cast<TWinControl*>(reinterpret_cast<TControl*>(message.WParam));
    if (!control || placing_ || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    if (message.LParam) {
        if (PanelOf(control)) return;
        const bool was = placing_;
        placing_ = true;
        TSkinStatusPanel* panel = panels_->Add();
        panel->control_ = control;
        placing_ = was;
        control->FreeNotification(this);
        ArrangePanels();
        Invalidate();
        return;
    }
    if (TSkinStatusPanel* panel = PanelOf(control)) {
        panel->control_ = nullptr;
        panels_->Delete(panel->Index());
    }
}

void TSkinCustomStatusBar::CMThemeChanged(TMessage&) {
    UpdatePanels();
    Invalidate();
}

void TSkinCustomStatusBar::CMViewType(TMessage& message) { message.Result = skin::vtStatusBarGroup; }

void TSkinCustomStatusBar::Click() {
    TCustomControl::Click();
    POINT p{};
    ::GetCursorPos(&p);
    if (TSkinStatusPanel* panel = PanelAt(ScreenToClient(TPoint{p.x, p.y}))) DoPanelClick(panel);
}

void TSkinCustomStatusBar::DblClick() {
    TCustomControl::DblClick();
    POINT p{};
    ::GetCursorPos(&p);
    if (TSkinStatusPanel* panel = PanelAt(ScreenToClient(TPoint{p.x, p.y}))) DoPanelDblClick(panel);
}

void TSkinCustomStatusBar::DoPanelClick(TSkinStatusPanel* panel) {
    if (OnPanelClick) OnPanelClick(this, panel);
}

void TSkinCustomStatusBar::DoPanelDblClick(TSkinStatusPanel* panel) {
    if (OnPanelDblClick) OnPanelDblClick(this, panel);
}

void TSkinCustomStatusBar::DoAdjustContentRect(TSkinStatusPanel* panel, TRect& rect) {
    if (OnAdjustContentRect) OnAdjustContentRect(this, panel, rect);
}

void TSkinCustomStatusBar::DoAdjustFont(TSkinStatusPanel* panel, TFont* font) {
    if (OnAdjustFont) OnAdjustFont(this, panel, font);
}

// ---- Painting ----

namespace {
unsigned StatusFlags(bool enabled) { return skin::ControlDrawView(2) | (enabled ? 0u : skin::cdfDisabled); }

void ApplyFontSettings(const TFontSettings* settings, TFont* font) {
    skin::TFontDescription d;
    d.Size = font->Size();
    d.Color = font->Color();
    d.Name = font->Name();
    const TFontStyles style = font->Style();
    d.Bold = style.Contains(fsBold);
    d.Italic = style.Contains(fsItalic);
    d.Underline = style.Contains(fsUnderline);
    d.StrikeOut = style.Contains(fsStrikeOut);
    settings->Apply(d);
    TFontStyles out;
    if (d.Bold) out.Include(fsBold);
    if (d.Italic) out.Include(fsItalic);
    if (d.Underline) out.Include(fsUnderline);
    if (d.StrikeOut) out.Include(fsStrikeOut);
    font->SetName(d.Name);
    font->SetSize(d.Size);
    font->SetColor(d.Color);
    font->SetStyle(out);
}
}  // namespace

void TSkinCustomStatusBar::SelectFont(TFont* font, TSkinStatusPanel* panel) {
    font->Assign(Font());
    if (useSystemFont_) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            font->SetLogFont(metrics.lfStatusFont);
    }
    font->SetColor(SkinControlTextColor(StatusFlags(panel ? panel->enabled_ : Enabled())));
    if (!panel) return;
    if (!panel->fontSettings_->IsDefault()) ApplyFontSettings(panel->fontSettings_.get(), font);
    DoAdjustFont(panel, font);
}

void TSkinCustomStatusBar::Paint() {
    HDC dc = Canvas()->Handle();
    TSkinTheme& theme = CurrentTheme();
    const TRect client = ClientRect();
    theme.PaintStatusBar(dc, client, 0);
    TObjectPtr<TFont> font = MakeObject<TFont>();
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    if (simplePanel_) {
        SelectFont(font.get(), nullptr);
        HGDIOBJ old = ::SelectObject(dc, font->Handle());
        ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(font->Color())));
        RECT r{client.Left + 4, client.Top, client.Right - 4, client.Bottom};
        ::DrawTextW(dc, WideCStr(simpleText_), static_cast<int>(simpleText_.size()), &r,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::SelectObject(dc, old);
    } else {
        const int n = panels_->Count();
        for (int i = 0; i < n; ++i) {
            TSkinStatusPanel* panel = panels_->Items(i);
            const TRect b = panel->BoundsRect();
            const RECT rb{b.Left, b.Top, b.Right, b.Bottom};
            if (!panel->Shown() || !::RectVisible(dc, &rb)) continue;
            if (panel->framed_) theme.PaintStatusBar(dc, b, panel->TouchesEnd() ? 2 : 1);
            SelectFont(font.get(), panel);
            HGDIOBJ old = ::SelectObject(dc, font->Handle());
            ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(font->Color())));
            TRect content = panel->framed_ ? skin::ShrinkRect(b, contentMargins_) : b;
            DoAdjustContentRect(panel, content);
            PaintPanel(dc, content, panel, i == n - 1);
            ::SelectObject(dc, old);
        }
    }
    ::SetBkMode(dc, mode);
    if (SizeGripActive()) theme.PaintStatusBar(dc, SizeGripRect(), 3);
}

void TSkinCustomStatusBar::PaintPanel(HDC dc, const TRect& rect, TSkinStatusPanel* panel, bool) {
    // An index past the list's end shows no image rather than reading past it.
    const bool image = images_ && panel->imageIndex_ >= 0 && panel->imageIndex_ < images_->Count();
    const skin::TStatusPanelContent c = skin::PlaceStatusPanelContent(
        rect, panel->alignment_, image, image ? images_->Width() : 0, image ? images_->Height() : 0);
    if (image) SkinPaintControlImage(dc, c.Image, StatusFlags(panel->enabled_), images_, panel->imageIndex_);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (panel->alignment_ == taRightJustify)
        flags |= DT_RIGHT;
    else if (panel->alignment_ == taCenter)
        flags |= DT_CENTER;
    if (panel->truncation_ == ttEndEllipsis)
        flags |= DT_END_ELLIPSIS;
    else if (panel->truncation_ == ttPathEllipsis)
        flags |= DT_PATH_ELLIPSIS;
    RECT r{c.Text.Left, c.Text.Top, c.Text.Right, c.Text.Bottom};
    ::DrawTextW(dc, WideCStr(panel->caption_), static_cast<int>(panel->caption_.size()), &r, flags);
}
