#include "themed/win/TSkinDock.h"

#include "classlib/core/ScopeGuard.h"
#include "themed/core/DefaultThemeRules.h"
#include "themed/core/SkinToolbarRules.h"
#include "themed/core/SkinViewTypes.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBCustomDockableWindow.h"

TSkinDock::TSkinDock(TComponent* owner) : TTBDock(owner) {
    AddThemeNotification(this);
    UpdateThemeColor();
}

TSkinDock::~TSkinDock() { RemoveThemeNotification(this); }

void TSkinDock::SetUseThemeColor(bool value) {
    if (useThemeColor_ == value) return;
    useThemeColor_ = value;
    UpdateThemeColor();
}

void TSkinDock::SetUseParentBackground(bool value) {
    if (useParentBackground_ == value) return;
    useParentBackground_ = value;
    Invalidate();
}

void TSkinDock::UpdateThemeColor() {
    if (!useThemeColor_ || !SkinNexus()) return;
    // The theme's own colour must not read as a colour set from outside.
    settingThemeColor_ = true;
    TScopeExit done([this] { settingThemeColor_ = false; });
    SetColor(CurrentTheme().GetViewColor(skin::vtDock));
}

bool TSkinDock::ThemedBackground() {
    return SkinNexus() && skin::DockThemedBackground(Background() != nullptr, useThemeColor_,
                                                     CurrentTheme().GetBooleanMetrics(skin::bmVisualStyles));
}

void TSkinDock::DrawBackground(HDC dc, const TRect& drawRect) {
    if (useParentBackground_) {
        DrawParentBackground(this, dc, ClientRect());
    } else if (ThemedBackground()) {
        CurrentTheme().PaintDock(dc, ClientRect(), drawRect, skin::DockPositionCode(static_cast<int>(Position())));
    } else {
        TTBDock::DrawBackground(dc, drawRect);
    }
}

bool TSkinDock::UsingBackground() { return useParentBackground_ || ThemedBackground() || TTBDock::UsingBackground(); }

void TSkinDock::CMViewType(TMessage& message) { message.Result = skin::vtDock; }

void TSkinDock::CMThemeChanged(TMessage& message) {
    if (message.WParam != 3) return;
    UpdateThemeColor();
    Invalidate();
    for (TTBCustomDockableWindow* window : Windows())
        if (window->HandleAllocated())
            ::RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TSkinDock::CMColorChanged(TMessage& message) {
    if (!settingThemeColor_) useThemeColor_ = false;
    DispatchInherited<TSkinDock>(this, message);
}

void TSkinDock::WMSize(TMessage& message) {
    resizing_ = true;
    TScopeExit done([this] { resizing_ = false; });
    DispatchInherited<TSkinDock>(this, message);
    // A background runs across the toolbars: each must repaint where it now sits on it.
    if (!UsingBackground()) return;
    for (int i = 0; i < GetToolbarCount(); ++i) {
        TTBCustomDockableWindow* window = GetToolbar(i);
        if (auto* toolbar = dynamic_cast<TSkinToolbar*>(window))
            toolbar->RepaintItemsOnBackground();
        else if (window->HandleAllocated())
            ::InvalidateRect(window->Handle(), nullptr, TRUE);
    }
}
