// A theme that answers nothing and paints nothing and records the theme-change messages it receives.
#pragma once
#include <vector>

#include "classlib/core/MessageDispatch.h"
#include "themed/win/SkinThemes.h"

class TStubTheme : public TSkinTheme {
    CLASSLIB_CLASS(TStubTheme, TSkinTheme)
    CLASSLIB_MESSAGES(TStubTheme, CLASSLIB_ON(CM_SKINTHEMECHANGE, &TStubTheme::CMThemeChange))
public:
    explicit TStubTheme(const AnsiString& name) : TSkinTheme(name) { ++alive; }
    ~TStubTheme() override { --alive; }
    static inline int alive = 0;
    std::vector<std::uintptr_t> received;
    void CMThemeChange(TMessage& m) { received.push_back(m.WParam); }

    TPoint GetImageOffset(const skin::TSkinItemInfo&) override { return {}; }
    TColor GetItemColor(const skin::TSkinItemInfo&) override { return 0; }
    std::pair<TColor, bool> GetItemTextColor(const skin::TSkinItemInfo&) override { return {}; }
    std::pair<TColor, bool> GetItemImageBackground(const skin::TSkinItemInfo&) override { return {}; }
    skin::TMargins GetMargins(int) override { return {}; }
    int GetPopupShadowType() override { return 0; }
    TSize GetViewBorder(std::int32_t) override { return {}; }
    TColor GetViewColor(std::int32_t) override { return 0; }
    skin::TMargins GetViewMargins(std::int32_t) override { return {}; }
    void PaintBackgnd(HDC, const TRect&, const TRect&, TColor, std::int32_t) override {}
    void PaintButton(HDC, const TRect&, const skin::TSkinItemInfo&) override {}
    void PaintCaption(HDC, const TRect&, const skin::TSkinItemInfo&, std::u16string_view, unsigned, TColor) override {}
    void PaintCheckMark(HDC, const TRect&, const skin::TSkinItemInfo&) override {}
    void PaintChevron(HDC, const TRect&, const skin::TSkinItemInfo&) override {}
    void PaintEditFrame(HDC, const TRect&, const skin::TSkinItemInfo&, const skin::TSkinEditFrameInfo&) override {}
    void PaintEditButton(HDC, const TRect&, const skin::TSkinItemInfo&, const skin::TSkinEditButtonInfo&) override {}
    void PaintDock(HDC, const TRect&, const TRect&, int) override {}
    void PaintDockPanelNCArea(HDC, const TRect&, const skin::TSkinWindowFrameInfo&) override {}
    void PaintDropDownArrow(HDC, const TRect&, const skin::TSkinItemInfo&) override {}
    void PaintFloatingBorder(HDC, const TRect&, const skin::TSkinWindowFrameInfo&) override {}
    void PaintFrame(HDC, const TRect&, const skin::TSkinItemInfo&) override {}
    void PaintImage(HDC, const TRect&, const skin::TSkinItemInfo&, TCustomImageList*, int) override {}
    void PaintMDIButton(HDC, const TRect&, const skin::TSkinItemInfo&, unsigned) override {}
    void PaintMenuItem(HDC, const TRect&, const skin::TSkinItemInfo&) override {}
    void PaintMenuItemFrame(HDC, const TRect&, const skin::TSkinItemInfo&) override {}
    void PaintPageScrollButton(HDC, const TRect&, bool, bool) override {}
    void PaintPopupNCArea(HDC, const TRect&, const skin::TSkinPopupFrameInfo&) override {}
    void PaintSeparator(HDC, const TRect&, const skin::TSkinItemInfo&, bool, bool) override {}
    void PaintToolbarNCArea(HDC, const TRect&, const skin::TSkinWindowFrameInfo&) override {}
    void PaintFrameControl(HDC, const TRect&, int, int) override {}
    void PaintStatusBar(HDC, const TRect&, int) override {}
    int GetIntegerMetrics(int) override { return -1; }
    bool GetBooleanMetrics(int) override { return false; }
};
