// The default theme: the classic flat look in system colours, or colours, sizes and button faces of the
// visual style ("TOOLBAR", "REBAR", "STATUS") when the theme manager reports one. Registered as "Default" by
// the themed item layer. It keeps itself on the manager's notify list so that its colour cache follows
// display changes (message 1336 with parameter 2).
#pragma once
#include "classlib/core/MessageDispatch.h"
#include "themed/core/DefaultThemeRules.h"
#include "themed/win/SkinThemes.h"

class TSkinDefaultTheme : public TSkinTheme {
    CLASSLIB_CLASS(TSkinDefaultTheme, TSkinTheme)
    CLASSLIB_MESSAGES(TSkinDefaultTheme, CLASSLIB_ON(CM_SKINTHEMECHANGE, &TSkinDefaultTheme::CMThemeChange))
public:
    explicit TSkinDefaultTheme(const AnsiString& name);
    ~TSkinDefaultTheme() override;

    const skin::TThemeColorCache& Colors() const { return colors_; }
    virtual void SetupColorCache();
    // What the rules are decided from: the manager's state, frame metrics and visual-style answers.
    skin::TDefaultThemeInputs Inputs() const;

    TPoint GetImageOffset(const skin::TSkinItemInfo& info) override;
    TColor GetItemColor(const skin::TSkinItemInfo& info) override;
    std::pair<TColor, bool> GetItemTextColor(const skin::TSkinItemInfo& info) override;
    std::pair<TColor, bool> GetItemImageBackground(const skin::TSkinItemInfo& info) override;
    skin::TMargins GetMargins(int kind) override;
    int GetPopupShadowType() override { return 1; }
    TSize GetViewBorder(std::int32_t viewType) override;
    TColor GetViewColor(std::int32_t viewType) override;
    skin::TMargins GetViewMargins(std::int32_t viewType) override;
    void PaintBackgnd(HDC dc, const TRect& paintRect, const TRect& clipRect, TColor color,
                      std::int32_t viewType) override;
    void PaintButton(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
    void PaintCaption(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, std::u16string_view text,
                      unsigned format, TColor color) override;
    void PaintCheckMark(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
    void PaintChevron(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
    void PaintEditFrame(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info,
                        const skin::TSkinEditFrameInfo& frame) override;
    void PaintEditButton(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info,
                         const skin::TSkinEditButtonInfo& button) override;
    void PaintDock(HDC dc, const TRect& clientRect, const TRect& dockRect, int position) override;
    void PaintDockPanelNCArea(HDC dc, const TRect& rect, const skin::TSkinWindowFrameInfo& frame) override;
    void PaintDropDownArrow(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
    void PaintFloatingBorder(HDC dc, const TRect& rect, const skin::TSkinWindowFrameInfo& frame) override;
    void PaintFrame(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
    void PaintImage(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, TCustomImageList* images,
                    int index) override;
    void PaintMDIButton(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, unsigned kind) override;
    void PaintMenuItem(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
    void PaintMenuItemFrame(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) override;
    void PaintPageScrollButton(HDC dc, const TRect& rect, bool up, bool hot) override;
    void PaintPopupNCArea(HDC dc, const TRect& rect, const skin::TSkinPopupFrameInfo& frame) override;
    void PaintSeparator(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info, bool horizontal,
                        bool lineSeparator) override;
    void PaintToolbarNCArea(HDC dc, const TRect& rect, const skin::TSkinWindowFrameInfo& frame) override;
    void PaintFrameControl(HDC dc, const TRect& rect, int kind, int state) override;
    void PaintStatusBar(HDC dc, const TRect& rect, int part) override;
    int GetIntegerMetrics(int index) override;
    bool GetBooleanMetrics(int index) override;

private:
    void CMThemeChange(TMessage& message);
    // The close button of floating windows, panel captions and drag handles: its edge by state and the
    // close cross in button text, centred.
    void PaintCloseButton(HDC dc, const TRect& rect, const skin::TSkinWindowFrameInfo& frame);
    // A caption bar in the small-caption font; a vertical one reads upwards.
    void PaintWindowCaption(HDC dc, const TRect& caption, std::u16string_view title, TColor back, TColor text,
                            bool vertical);

    skin::TThemeColorCache colors_;
};
