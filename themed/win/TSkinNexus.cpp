#include "themed/win/TSkinNexus.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TCustomFrame.h"
#include "classlib/win/TWinControl.h"
#include "themed/win/SkinDrawing.h"
#include "themed/win/TSkinDefaultTheme.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBView.h"

namespace {

TSkinNexus* nexus = nullptr;

}  // namespace

TSkinNexus::TSkinNexus(const AnsiString& themeName) {
    theme_ = GetSkinTheme(themeName);
    RegisterSysChangeNotification(this);
}

TSkinNexus::~TSkinNexus() {
    UnregisterSysChangeNotification(this);
    ReleaseSkinTheme(theme_);
}

void TSkinNexus::AddThemeNotification(TObject* control) {
    if (!control || std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
    controls_.push_back(control);
}

void TSkinNexus::RemoveThemeNotification(TObject* control) {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    const std::ptrdiff_t index = it - controls_.begin();
    controls_.erase(it);
    // The control at or before the running broadcast's position left: the rest moved down by one.
    if (broadcasting_ && index <= broadcastIndex_) --broadcastIndex_;
}

const skin::TSkinItemMetrics& TSkinNexus::ItemMetrics() {
    if (!metrics_) {
        skin::TSkinItemMetrics m;
        m.itemMargins = theme_->GetMargins(skin::mkItem);
        m.menuMargins = theme_->GetMargins(skin::mkMenu);
        m.splitArrowWidth = theme_->GetIntegerMetrics(skin::imSplitArrowWidth);
        m.dropdownArrowWidth = theme_->GetIntegerMetrics(20);
        m.dropdownArrowSpace = theme_->GetIntegerMetrics(21);
        m.menuFrame = theme_->GetIntegerMetrics(skin::imMenuItemFrame);
        m.leftCaptionMargin = theme_->GetIntegerMetrics(skin::imMenuLeftCaptionMargin);
        m.rightCaptionMargin = theme_->GetIntegerMetrics(skin::imMenuRightCaptionMargin);
        m.imageTextSpace = theme_->GetIntegerMetrics(skin::imMenuImageTextSpace);
        m.menuSeparator = theme_->GetIntegerMetrics(skin::imSeparatorSize);
        m.toolbarSeparator = theme_->GetIntegerMetrics(skin::imToolbarSeparatorSize);
        metrics_ = m;
    }
    return *metrics_;
}

void TSkinNexus::CMThemeChange(TMessage& message) {
    // Margins and sizes may follow a new visual style or system metrics.
    metrics_.reset();
    // A nested change (a control that changes system state while it repaints) restarts nothing: it goes on
    // from where the outer one is.
    if (broadcasting_) return;
    broadcasting_ = true;
    for (broadcastIndex_ = 0; broadcastIndex_ < static_cast<std::ptrdiff_t>(controls_.size()); ++broadcastIndex_) {
        TObject* control = controls_[static_cast<std::size_t>(broadcastIndex_)];
        TMessage forwarded{CM_SKINTHEMECHANGED, message.WParam, 0, 0};
        control->Dispatch(forwarded);
    }
    broadcasting_ = false;
}

TSkinNexus* SkinNexus() { return nexus; }

TSkinTheme& CurrentTheme() {
    if (!nexus || !nexus->Theme()) throw EInvalidOperation("No current theme");
    return *nexus->Theme();
}

const skin::TSkinItemMetrics& CurrentItemMetrics() {
    if (!nexus || !nexus->Theme()) throw EInvalidOperation("No current theme");
    return nexus->ItemMetrics();
}

void AddThemeNotification(TObject* control) {
    if (nexus) nexus->AddThemeNotification(control);
}

void RemoveThemeNotification(TObject* control) {
    if (nexus) nexus->RemoveThemeNotification(control);
}

void RegisterSkinNexusUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterSkinThemesUnit();
    classlib::RegisterUnit(
        "SkinNexus",
        [] {
            if (FindThemeIndex("Default") < 0) RegisterSkinTheme<TSkinDefaultTheme>("Default");
            nexus = Create<TSkinNexus>("Default");
        },
        [] {
            TSkinNexus* gone = nexus;
            nexus = nullptr;
            Free(gone);
        },
        230);
}

std::int32_t GetWinViewType(TControl* window) {
    if (!window) return 0;
    TMessage query{CM_SKINVIEWTYPE, 0, 0, 0};
    // Only classes that know the code are asked: another window may give the number a meaning of its own.
    if (!DispatchFromTable(window->MessageTable(), window, query)) return 0;
    return static_cast<std::int32_t>(query.Result);
}

std::int32_t GetViewType(const TTBView* view) {
    if (!view) return 0;
    return GetWinViewType(view->Window());
}

void DrawParentBackground(TControl* control, HDC dc, const TRect& rect) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    auto* form = dynamic_cast<TCustomForm*>(parent);
    if (!parent || (form && form->FormStyle() == fsMDIForm) || dynamic_cast<TCustomFrame*>(parent)) {
        skin::FillRectColor(dc, rect, clBtnFace);
        return;
    }
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    // The parent paints in its own coordinates.
    ::OffsetWindowOrgEx(dc, control->Left(), control->Top(), nullptr);
    bool painted = false;
    if (auto* dock = dynamic_cast<TTBDock*>(parent)) {
        if (dock->UsingBackground()) {
            const TRect client = dock->ClientRect();
            dock->DrawBackground(
                dc, Bounds(-dock->Left(), -dock->Top(), dock->Left() + client.Right, dock->Top() + client.Bottom));
            painted = true;
        }
    } else if (parent->HandleAllocated()) {
        painted = ::SendMessageW(parent->WindowHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
    }
    ::RestoreDC(dc, saved);
    if (!painted) skin::FillRectColor(dc, rect, parent->Color());
}

void RefreshFrame(TWinControl* window) {
    if (!window) return;
    window->SetClientWidth(window->ClientWidth());
    window->SetClientHeight(window->ClientHeight());
    if (window->HandleAllocated())
        ::SetWindowPos(window->WindowHandle(), nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    window->Invalidate();
}

TColor SkinControlTextColor(unsigned flags) {
    return CurrentTheme().GetItemTextColor(skin::ControlDrawInfo(flags)).first;
}

void SkinPaintControlCaption(HDC dc, const TRect& rect, unsigned flags, std::u16string_view text, unsigned format,
                             TColor color) {
    CurrentTheme().PaintCaption(dc, rect, skin::ControlDrawInfo(flags), text, format, color);
}

void SkinPaintControlImage(HDC dc, const TRect& rect, unsigned flags, TCustomImageList* images, int index) {
    skin::TSkinItemInfo info = skin::ControlDrawInfo(flags);
    info.ImageShown = true;
    CurrentTheme().PaintImage(dc, rect, info, images, index);
}
