// A dock under the theme: its colour follows the theme (view type 0x601) until set from outside, the theme
// paints its background when visual styles are on and it has no background of its own, and it may show
// its parent's background instead.
#pragma once
#include "classlib/core/MessageDispatch.h"
#include "themed/win/TSkinNexus.h"
#include "toolbar/win/TTBDock.h"

class TSkinDock : public TTBDock {
    CLASSLIB_COMPONENT(TSkinDock, TTBDock)
    CLASSLIB_MESSAGES(TSkinDock, CLASSLIB_ON(CM_SKINVIEWTYPE, &TSkinDock::CMViewType),
                      CLASSLIB_ON(CM_SKINTHEMECHANGED, &TSkinDock::CMThemeChanged),
                      CLASSLIB_ON(CM_COLORCHANGED, &TSkinDock::CMColorChanged),
                      CLASSLIB_ON(WM_SIZE, &TSkinDock::WMSize))

    explicit TSkinDock(TComponent* owner);
    ~TSkinDock() override;

    bool UseThemeColor() const { return useThemeColor_; }
    // On: takes the theme's colour at once.
    void SetUseThemeColor(bool value);
    bool UseParentBackground() const { return useParentBackground_; }
    void SetUseParentBackground(bool value);
    // The colour belongs in the form only while it is neither the theme's nor the parent's.
    bool ColorStored() const { return !useThemeColor_ && !ParentColor(); }

    // No background of its own, the theme's colour and a theme that reports visual styles.
    bool ThemedBackground();
    void DrawBackground(HDC dc, const TRect& drawRect) override;
    bool UsingBackground() override;
    // The dock is handling its own change of size.
    bool Resizing() const { return resizing_; }

protected:
    void CMViewType(TMessage& message);
    void CMThemeChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void WMSize(TMessage& message);

private:
    void UpdateThemeColor();

    bool useThemeColor_ = true;
    bool useParentBackground_ = false;
    bool settingThemeColor_ = false;
    bool resizing_ = false;
};
