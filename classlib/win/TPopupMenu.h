// A menu shown at a point on request (a right click on its control, or the program). The native popup menu
// is owned by the popup list's window, which receives its commands and notifications.
#pragma once
#include "classlib/core/Geometry.h"
#include "classlib/win/TMenu.h"

enum TPopupAlignment { paLeft, paRight, paCenter };
enum TTrackButton { tbRightButton, tbLeftButton };

class TPopupMenu : public TMenu {
    CLASSLIB_COMPONENT(TPopupMenu, TMenu)

    // Joins the popup list.
    explicit TPopupMenu(TComponent* owner);
    // Leaves every popup list.
    ~TPopupMenu() override;

    // Fires OnPopup, lets the items update from their actions and tracks the menu at the screen point (x, y)
    // until it closes. A chosen item is clicked when its command arrives at the popup list's window, i.e.
    // from the message loop after Popup returns.
    virtual void Popup(int x, int y);

    // The component the menu was last shown for (set by the control that shows it).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value);
    // Whether a control shows the menu by itself on a right click (default true).
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // Where the menu stands relative to the point.
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    // The mouse button that chooses items.
    TTrackButton TrackButton() const { return trackButton_; }
    void SetTrackButton(TTrackButton value) { trackButton_ = value; }
    // The point of the last Popup.
    TPoint PopupPoint() const { return popupPoint_; }

    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup(TObject* sender);
    // TrackPopupMenu's flags for Alignment and TrackButton.
    UINT TrackFlags() const;

private:
    TComponent* popupComponent_ = nullptr;
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
    TTrackButton trackButton_ = tbRightButton;
    TPoint popupPoint_;
};
