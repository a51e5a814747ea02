// The themed status bar: a row of panels laid out by their priorities (themed/core/StatusBarLayout.h), or
// one simple text, on the theme's status-bar background, with a size grip that sizes the form while the
// bar sits in the form's bottom-right corner. A windowed control put into the bar becomes a panel of its
// own, and leaves with it. Clicks tell which panel was hit.
#pragma once
#include "classlib/core/Method.h"
#include "classlib/core/TObject.h"
#include "classlib/win/TCustomControl.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinStatusPanel.h"

class TChangeLink;
class TCustomImageList;
class TFont;

using TStatusPanelEvent = Method<void(TObject* sender, TSkinStatusPanel* panel)>;
using TStatusPanelRectEvent = Method<void(TObject* sender, TSkinStatusPanel* panel, TRect& rect)>;
using TStatusPanelFontEvent = Method<void(TObject* sender, TSkinStatusPanel* panel, TFont* font)>;

class TSkinCustomStatusBar : public TCustomControl {
    CLASSLIB_COMPONENT(TSkinCustomStatusBar, TCustomControl)
    CLASSLIB_MESSAGES(TSkinCustomStatusBar, CLASSLIB_ON(WM_NCHITTEST, &TSkinCustomStatusBar::WMNCHitTest),
                      CLASSLIB_ON(WM_NCLBUTTONDOWN, &TSkinCustomStatusBar::WMNCLButtonDown),
                      CLASSLIB_ON(CM_CONTROLCHANGE, &TSkinCustomStatusBar::CMControlChange),
                      CLASSLIB_ON(CM_SKINTHEMECHANGED, &TSkinCustomStatusBar::CMThemeChanged),
                      CLASSLIB_ON(CM_SKINVIEWTYPE, &TSkinCustomStatusBar::CMViewType))

    explicit TSkinCustomStatusBar(TComponent* owner);
    ~TSkinCustomStatusBar() override;

    TSkinStatusPanels* Panels() const { return panels_.get(); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const WideString& SimpleText() const { return simpleText_; }
    void SetSimpleText(const WideString& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool value);
    // The theme's pane content margins.
    const TRect& ContentMargins() const { return contentMargins_; }
    // Whether the grip works now (on, the form normal, the bar in the form's bottom-right corner).
    bool SizeGripActive();
    TRect SizeGripRect();
    // The shown panel under a client point, or null.
    TSkinStatusPanel* PanelAt(TPoint p);

    TStatusPanelRectEvent OnAdjustContentRect;
    TStatusPanelFontEvent OnAdjustFont;
    TStatusPanelEvent OnPanelClick;
    TStatusPanelEvent OnPanelDblClick;

    virtual void DoAdjustContentRect(TSkinStatusPanel* panel, TRect& rect);
    virtual void DoAdjustFont(TSkinStatusPanel* panel, TFont* font);
    virtual void DoPanelClick(TSkinStatusPanel* panel);
    virtual void DoPanelDblClick(TSkinStatusPanel* panel);
    // Draws a panel's image and caption in its content rectangle (the font is selected into dc).
    virtual void PaintPanel(HDC dc, const TRect& rect, TSkinStatusPanel* panel, bool last);
    virtual void ArrangePanels();
    // Reads the theme's margins again and lays the panels out.
    virtual void UpdatePanels();

    void Click() override;
    void DblClick() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    // Repaints one panel.
    void InvalidatePanel(TSkinStatusPanel* panel);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void Resize() override;

    void WMNCHitTest(TMessage& message);
    void WMNCLButtonDown(TMessage& message);
    void CMControlChange(TMessage& message);
    void CMThemeChanged(TMessage& message);
    void CMViewType(TMessage& message);

private:
    friend class TSkinStatusPanel;
    void ImagesChanged(TObject* sender);
    void PlaceControl(TSkinStatusPanel* panel, TWinControl* control);
    TSkinStatusPanel* PanelOf(TControl* control) const;
    void SelectFont(TFont* font, TSkinStatusPanel* panel);

    TObjectPtr<TSkinStatusPanels> panels_;
    TCustomImageList* images_ = nullptr;
    TObjectPtr<TChangeLink> imageLink_;
    bool simplePanel_ = false;
    WideString simpleText_;
    bool sizeGrip_ = true;
    bool useSystemFont_ = false;
    TRect contentMargins_ = Rect(1, 1, 3, 1);
    // Set while the bar itself puts a control into a panel.
    bool placing_ = false;
};

class TSkinStatusBar : public TSkinCustomStatusBar {
    CLASSLIB_COMPONENT(TSkinStatusBar, TSkinCustomStatusBar)
    explicit TSkinStatusBar(TComponent* owner) : TSkinCustomStatusBar(owner) {}
};
