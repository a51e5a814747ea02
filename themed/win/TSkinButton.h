// A themed push button: a frame painted by the theme (toolbar look, flat, or the system's push button), an
// optional image beside, above or below its caption, check logic in groups of buttons (GroupIndex), an
// optional drop-down menu (the whole button, or only its arrow part in combo mode), repeated clicks while
// held (Repeating: first after RepeatDelay, then every RepeatInterval), and a modal result for its form.
// The margins let the mouse through to what lies below.
#pragma once
#include "classlib/core/TObject.h"
#include "classlib/win/TControlActionLink.h"
#include "themed/win/TSkinTextObject.h"

class TCustomImageList;
class TChangeLink;
class TPopupMenu;
class TTimer;

using skin::blGlyphBottom;
using skin::blGlyphLeft;
using skin::blGlyphRight;
using skin::blGlyphTop;
using skin::bsFlat;
using skin::bsNormal;
using skin::bsSystem;
using skin::TButtonLayout;
using skin::TButtonStyle;

using TDropDownEvent = Method<void(TObject* sender, bool& allow)>;

class TSkinCustomButton;

// A button follows its action's Checked, GroupIndex and ImageIndex as long as it still has the action's.
class TSkinCustomButtonActionLink : public TWinControlActionLink {
    CLASSLIB_COMPONENT(TSkinCustomButtonActionLink, TWinControlActionLink)

    explicit TSkinCustomButtonActionLink(TObject* client);

    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    bool IsImageIndexLinked() override;
    void SetChecked(bool value) override;
    void SetGroupIndex(int value) override;
    void SetImageIndex(int value) override;

private:
    TSkinCustomButton* button_;
};

class TSkinCustomButton : public TSkinTextObject {
    CLASSLIB_COMPONENT(TSkinCustomButton, TSkinTextObject)
    CLASSLIB_MESSAGES(TSkinCustomButton, CLASSLIB_ON(WM_NCHITTEST, &TSkinCustomButton::WMNCHitTest),
                      CLASSLIB_ON(WM_CANCELMODE, &TSkinCustomButton::WMCancelMode))

    explicit TSkinCustomButton(TComponent* owner);
    ~TSkinCustomButton() override;

    int BorderSize() const { return borderSize_; }
    void SetBorderSize(int value);
    int GlyphSpacing() const { return glyphSpacing_; }
    void SetGlyphSpacing(int value);
    TButtonStyle ButtonStyle() const { return style_; }
    void SetButtonStyle(TButtonStyle value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUnchecked() const { return allowAllUnchecked_; }
    void SetAllowAllUnchecked(bool value);
    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* value);
    bool DropDownCombo() const { return dropDownCombo_; }
    void SetDropDownCombo(bool value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool Repeating() const { return repeating_; }
    void SetRepeating(bool value) { repeating_ = value; }
    unsigned RepeatDelay() const { return repeatDelay_; }
    void SetRepeatDelay(unsigned value) { repeatDelay_ = value; }
    unsigned RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(unsigned value) { repeatInterval_ = value; }
    bool DropDownOpen() const { return dropDownOpen_; }

    TDropDownEvent OnDropDown;

    void Click() override;
    TSize GetTextSize() override;
    TRect GetTextMargins() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Whether the menu may drop down: there is one, and OnDropDown does not refuse.
    virtual bool DoDropDown();
    virtual skin::TSkinItemInfo GetItemInfo();
    // Whether the client point lies on the button (not in its margins).
    virtual bool IsPtInButton(TPoint p);

protected:
    void Paint() override;
    TControlActionLinkClass GetActionLinkClass() override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMNCHitTest(TMessage& message);
    void WMCancelMode(TMessage& message);

private:
    skin::TButtonShape Shape();
    bool ImageShown() const;
    void ApplyGroup(bool value);
    void ImagesChanged(TObject* sender);
    void RepeatTimer(TObject* sender);
    void StopRepeat();
    void PaintFrame(HDC dc, const TRect& area);
    void PopUpMenu();

    int borderSize_ = 4;
    int glyphSpacing_ = 4;
    TButtonStyle style_ = bsNormal;
    TButtonLayout layout_ = blGlyphLeft;
    bool checked_ = false;
    int groupIndex_ = 0;
    bool allowAllUnchecked_ = false;
    TPopupMenu* dropDownMenu_ = nullptr;
    bool dropDownCombo_ = false;
    bool dropDownOpen_ = false;
    bool pressInArrow_ = false;
    TCustomImageList* images_ = nullptr;
    TObjectPtr<TChangeLink> imageLink_;
    int imageIndex_ = -1;
    TModalResult modalResult_ = mrNone;
    bool repeating_ = false;
    unsigned repeatDelay_ = 400;
    unsigned repeatInterval_ = 100;
    TObjectPtr<TTimer> repeatTimer_;
};

class TSkinButton : public TSkinCustomButton {
    CLASSLIB_COMPONENT(TSkinButton, TSkinCustomButton)
    explicit TSkinButton(TComponent* owner) : TSkinCustomButton(owner) {}
};
