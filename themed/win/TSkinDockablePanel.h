// A themed tool window that docks in a dock or a multi-dock (TSkinMultiDock) or floats in a frame of its own.
// It keeps separate docked, floating and split sizes within its minimum and maximum client sizes, shows a
// caption bar with a close button while docked (painted by the theme), and can be resized from its inner edge
// (or the splitter it shares with a neighbouring panel of a multi-dock) while docked.
//
//   TSkinDockablePanel* panel = Create<TSkinDockablePanel>(form);
//   panel->SetDockableTo({dpLeft, dpRight});
//   panel->SetDockMode(dmCannotFloat);
//   panel->SetSupportedDocks({dkMultiDock});
//   panel->SetCurrentDock(rightMultiDock);
//
// Docked edge resizing runs a modal loop of its own while it holds the mouse capture: the pointer moves the edge
// (smoothly, or as an outline on the screen with SmoothDockedResize off), a left button press or release ends it
// with the new size, Esc, a lost capture or WM_QUIT (posted again) ends it with the size it started with. A panel
// freed or hidden inside the loop (by OnDockedResizing, say) is not touched again by it.
#pragma once
#include "classlib/core/Method.h"
#include "classlib/core/Types.h"
#include "themed/core/DockPanelGeometry.h"
#include "toolbar/win/TTBCustomDockableWindow.h"

class TSkinMultiDock;

enum TDPSupportedDock { dkStandardDock, dkMultiDock };
using TDPSupportedDocks = TSet<TDPSupportedDock>;
enum TDPResizeDirection { dprWidth, dprHeight };
// The stages of a docked edge resize: 0 it starts (size = the current width or height), 1 a new size is
// proposed, 2 it ends. Clearing allow refuses (stage 0: no resize; 1: the step; 2: the new size).
using TDPDockedResizingEvent =
    Method<void(TObject* sender, TDPResizeDirection direction, bool& allow, int stage, int& size)>;

class TSkinDockablePanel : public TTBCustomDockableWindow {
    CLASSLIB_COMPONENT(TSkinDockablePanel, TTBCustomDockableWindow)
    CLASSLIB_MESSAGES(TSkinDockablePanel, CLASSLIB_ON(WM_NCHITTEST, &TSkinDockablePanel::WMNCHitTest),
                      CLASSLIB_ON(WM_SETCURSOR, &TSkinDockablePanel::WMSetCursor),
                      CLASSLIB_ON(WM_NCLBUTTONDOWN, &TSkinDockablePanel::WMNCLButtonDown),
                      CLASSLIB_ON(WM_NCLBUTTONDBLCLK, &TSkinDockablePanel::WMNCLButtonDown),
                      CLASSLIB_ON(CM_COLORCHANGED, &TSkinDockablePanel::CMColorChanged),
                      CLASSLIB_ON(1261, &TSkinDockablePanel::CMSkinViewType),
                      CLASSLIB_ON(1338, &TSkinDockablePanel::CMSkinThemeChanged))

    explicit TSkinDockablePanel(TComponent* owner);
    ~TSkinDockablePanel() override;

    int MinClientWidth() const { return minClientWidth_; }
    void SetMinClientWidth(int value);
    int MinClientHeight() const { return minClientHeight_; }
    void SetMinClientHeight(int value);
    int MaxClientWidth() const { return maxClientWidth_; }
    void SetMaxClientWidth(int value);
    int MaxClientHeight() const { return maxClientHeight_; }
    void SetMaxClientHeight(int value);
    int DockedWidth() const { return dockedWidth_; }
    void SetDockedWidth(int value);
    int DockedHeight() const { return dockedHeight_; }
    void SetDockedHeight(int value);
    int FloatingWidth() const { return floatingWidth_; }
    void SetFloatingWidth(int value);
    int FloatingHeight() const { return floatingHeight_; }
    void SetFloatingHeight(int value);
    int SplitWidth() const { return splitWidth_; }
    void SetSplitWidth(int value);
    int SplitHeight() const { return splitHeight_; }
    void SetSplitHeight(int value);
    int BorderSize() const { return borderSize_; }
    void SetBorderSize(int value);
    TDPCaptionRotation CaptionRotation() const { return captionRotation_; }
    void SetCaptionRotation(TDPCaptionRotation value);
    bool ShowCaptionWhenDocked() const { return showCaptionWhenDocked_; }
    void SetShowCaptionWhenDocked(bool value);
    bool SmoothDockedResize() const { return smoothDockedResize_; }
    void SetSmoothDockedResize(bool value) { smoothDockedResize_ = value; }
    int SnapDistance() const { return snapDistance_; }
    void SetSnapDistance(int value);
    bool UseThemeColor() const { return useThemeColor_; }
    void SetUseThemeColor(bool value);
    TDPSupportedDocks SupportedDocks() const { return supportedDocks_; }
    void SetSupportedDocks(TDPSupportedDocks value) { supportedDocks_ = value; }

    TDPDockedResizingEvent OnDockedResizing;

    // 0x400, plus 0x10000 while floating and 0x20000 when resizable.
    std::int32_t ViewType() const;
    // The modal loop of a docked edge resize, started by a press on a sizing or splitter hit code.
    void BeginDockedSizing(int hitCode);

    // The framework's operations.
    tb::TNCExtents GetDockedNCArea() override;
    bool CanDockTo(TTBDock* dock) override;
    void OrderControls(bool canMoveControls, TTBDockType wasDockedTo, TTBDock* dockingTo,
                       TSize& newClientSize) override;
    void GetBaseSize(TSize& size) override;
    void GetMinMaxSize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight) override;
    void DrawNCArea(bool drawToDC, HDC dc, HRGN clip) override;
    TRect GetDockedCloseButtonRect(bool leftRight) override;
    TSize GetFloatingBorderSize() override;
    TTBFloatingWindowParent* CreateFloatingParent() override;
    void ReadPositionData(const TTBPositionReadIntProc& read) override;
    void WritePositionData(const TTBPositionWriteIntProc& write) override;

    // The panel's own operations: the three stages of a docked edge resize (false refuses; the size may be
    // changed), the docked caption band in window coordinates and whether it is shown.
    virtual bool DockedResizeStart(TDPResizeDirection direction, int& size);
    virtual bool DockedSizingLimit(TDPResizeDirection direction, int& size);
    virtual bool DockedResizeEnd(TDPResizeDirection direction, int& size);
    virtual TRect DockedCaptionRect();
    virtual bool DockedCaptionShown();

protected:
    void AdjustClientRect(TRect& rect) override;
    void Resize() override;

    void WMNCHitTest(TMessage& message);
    void WMSetCursor(TMessage& message);
    void WMNCLButtonDown(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMSkinViewType(TMessage& message);
    void CMSkinThemeChanged(TMessage& message);

private:
    friend class TSkinMultiDock;

    skin::TPanelFrameInput FrameInput();
    bool AskDockedResizing(TDPResizeDirection direction, int stage, int& size);
    void ApplyDockedSize(int hitCode, int size, int splitStart, int neighbourStart);
    void ReclampDockedSizes();
    void TakeThemeColor();
    void RefreshPanelFrame();
    void ArrangeDock();

    int minClientWidth_ = skin::kPanelDefaultMinClient;
    int minClientHeight_ = skin::kPanelDefaultMinClient;
    int maxClientWidth_ = 0;
    int maxClientHeight_ = 0;
    int dockedWidth_ = skin::kPanelDefaultSize;
    int dockedHeight_ = skin::kPanelDefaultSize;
    int floatingWidth_ = skin::kPanelDefaultSize;
    int floatingHeight_ = skin::kPanelDefaultSize;
    int splitWidth_ = 0;
    int splitHeight_ = 0;
    int borderSize_ = 0;
    TDPCaptionRotation captionRotation_ = dpcrAuto;
    bool showCaptionWhenDocked_ = true;
    bool smoothDockedResize_ = true;
    int snapDistance_ = 0;
    bool useThemeColor_ = true;
    bool settingThemeColor_ = false;
    TDPSupportedDocks supportedDocks_{dkStandardDock, dkMultiDock};
    TSkinDockablePanel* splitNeighbour_ = nullptr;  // the panel across the splitter being dragged
};
