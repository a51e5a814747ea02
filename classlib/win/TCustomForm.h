// Forms: top-level windows built by their class's registered builders (or empty with CreateNew), shown
// modeless or modal, closed through CloseQuery and OnClose, keeping the focused control, handling the
// form's part of the keyboard (shortcuts, Tab and arrow navigation) and, as an MDI frame, an MDI client.
#pragma once
#include <memory>
#include <vector>

#include "classlib/win/TScrollingWinControl.h"

class TCanvas;
class TControlCanvas;
class TMainMenu;
class TCustomForm;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;

enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TCloseEvent = Method<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = Method<void(TObject* sender, bool& canClose)>;
// A key-down (WParam = virtual key, LParam = key data) offered to the form before its menu and action lists.
using TShortCutEvent = Method<void(TMessage& message, bool& handled)>;

class TCustomForm : public TScrollingWinControl {
    CLASSLIB_COMPONENT(TCustomForm, TScrollingWinControl)
    CLASSLIB_MESSAGES(
        TCustomForm, CLASSLIB_ON(WM_ACTIVATE, &TCustomForm::WMActivate), CLASSLIB_ON(WM_CLOSE, &TCustomForm::WMClose),
        CLASSLIB_ON(WM_COMMAND, &TCustomForm::WMCommand), CLASSLIB_ON(WM_DESTROY, &TCustomForm::WMDestroy),
        CLASSLIB_ON(WM_DRAWITEM, &TCustomForm::WMDrawItem),
        CLASSLIB_ON(WM_INITMENUPOPUP, &TCustomForm::WMInitMenuPopup),
        CLASSLIB_ON(WM_MEASUREITEM, &TCustomForm::WMMeasureItem), CLASSLIB_ON(WM_SETFOCUS, &TCustomForm::WMSetFocus),
        CLASSLIB_ON(WM_SIZE, &TCustomForm::WMSize), CLASSLIB_ON(WM_SYSCOMMAND, &TCustomForm::WMSysCommand),
        CLASSLIB_ON(CM_DIALOGCHAR, &TCustomForm::CMDialogChar), CLASSLIB_ON(CM_DIALOGKEY, &TCustomForm::CMDialogKey),
        CLASSLIB_ON(CM_RELEASE, &TCustomForm::CMRelease), CLASSLIB_ON(CM_ACTIONEXECUTE, &TCustomForm::CMActionExecute),
        CLASSLIB_ON(CM_ACTIONUPDATE, &TCustomForm::CMActionUpdate),
        CLASSLIB_ON(CM_SHOWINGCHANGED, &TCustomForm::CMShowingChanged))

    // Builds the form with the builders registered for its class and the classes between it and TForm
    // (base first). They run once the object is complete (at the start of AfterConstruction), so that they
    // see the actual class and may fill in a derived class's members. A class derived from TForm without
    // any builder raises EResNotFound "Resource %s not found".
    explicit TCustomForm(TComponent* owner);
    // An empty form: no builders run.
    TCustomForm(TComponent* owner, TNoBuilders);
    ~TCustomForm() override;

    // Joins Screen, runs the builders (ordinary constructor) and OnCreate: with OldCreateOrder right after
    // the builders, before the form is announced to its owner; otherwise after that.
    void AfterConstruction() override;
    // OnDestroy, while every override is still in place.
    void BeforeDestruction() override;

    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    TFormState FormState() const { return formState_; }

    // Showing.
    void Show();
    void Hide();
    // Shows the form modally: the other windows of the task are disabled, the form is activated and the
    // application's message loop runs until ModalResult is non-zero and CloseQuery agrees (OnClose may
    // veto with caNone); then the form is hidden, the windows are enabled again, the previously active
    // window gets the activation back and the result is returned. Raises EInvalidOperation "Cannot make a
    // visible window modal" for a visible, disabled or already modal form. A terminating application ends
    // the loop at once with mrCancel, without asking CloseQuery.
    virtual int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // Closing: a modal form gets ModalResult mrCancel; otherwise CloseQuery, then OnClose with caHide
    // (MDI children: caMinimize, or caNone without a minimize box), then the action. Closing the main form
    // terminates the application.
    void Close();
    // OnCloseQuery (an MDI frame asks its children first); true when the form may close.
    virtual bool CloseQuery();
    // Frees the form once the messages already queued for it are handled (CM_RELEASE).
    void Release();

    // Appearance. A change of a window's style re-creates the window.
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value);
    std::uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(std::uint8_t value);
    bool TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(bool value);
    TColor TransparentColorValue() const { return transparentColorValue_; }
    void SetTransparentColorValue(TColor value);
    // The form's canvas (for OnPaint).
    TCanvas* Canvas();

    // The window above which the form is placed: PopupParent's window, with pmAuto the active form's, else
    // the application window. Read when the window is made.
    TCustomForm* PopupParent() const { return popupParent_; }
    void SetPopupParent(TCustomForm* value);
    TPopupMode PopupMode() const { return popupMode_; }
    void SetPopupMode(TPopupMode value) { popupMode_ = value; }

    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);

    // Focus.
    bool Active() const { return active_; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // The control that has (or gets, once the form is active) the focus. Setting it to a control that
    // cannot take the focus raises EInvalidOperation "Cannot focus a disabled or invisible window".
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Called by a control of this form that received the focus: records it as the active control, scrolls
    // it into view in its AutoScroll parents and tells Screen. False when the form is going away.
    bool SetFocusedControl(TWinControl* control);
    // Gives control (a control of this form) the focus without scrolling it into view.
    void FocusWithoutScrolling(TWinControl* control);
    // A control (or a parent of it) is going away or can no longer be focused: the form forgets it as its
    // active control; as its focused control it gives way to its parent (removing) or to nothing.
    void DefocusControl(TWinControl* control, bool removing);
    // Makes control the active control and activates the form (when it can be), which focuses it.
    void FocusControl(TWinControl* control);
    void SetFocus() override;

    // Shortcuts of a key-down (WParam = virtual key, LParam = key data): OnShortCut, then the main menu, then
    // the form's action lists. True when one took the key.
    virtual bool IsShortCut(TMessage& message);
    // The idle update of a shown form: the main menu's items and every control (also hidden ones, which
    // their action may show again) let their actions update them.
    virtual void UpdateActions();

    // MDI frames.
    HWND ClientHandle() const { return clientHandle_; }
    TCustomForm* ActiveMDIChild();
    int MDIChildCount();
    TCustomForm* MDIChildren(int index);

    // Docking is not supported: these keep the values and do nothing; a docking framework overrides them.
    virtual bool DockSite() const { return dockSite_; }
    virtual void SetDockSite(bool value) { dockSite_ = value; }
    virtual bool UseDockManager() const { return useDockManager_; }
    virtual void SetUseDockManager(bool value) { useDockManager_ = value; }

    void Notification(TComponent* component, TOperation operation) override;

    // The window: styles and owner from the form's properties; an MDI child is made in the main form's MDI
    // client; the menu bar, the MDI client and the layered attributes come with every new window.
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    // While an MDI client exists, messages end at DefFrameProcA (WM_SIZE excepted: the client is placed
    // by the form); an MDI child's at DefMDIChildProcA.
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(HDC dc) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    // Runs the builders of the actual class below rootAncestor with fsCreating set; raises EResNotFound when
    // none ran.
    void InitFromBuilders(TClass rootAncestor);
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    // Docking: nothing to make.
    virtual void* CreateDockManager() { return nullptr; }

    void AlignControls(TControl* control, TRect& rect) override;
    // For derived classes that make the window themselves (an MDI child: fsCreatedMDIChild).
    void IncludeFormState(TFormStateFlag flag) { formState_.Include(flag); }
    void ExcludeFormState(TFormStateFlag flag) { formState_.Exclude(flag); }

    void WMActivate(TMessage& message);
    void WMClose(TMessage& message);
    void WMCommand(TMessage& message);
    void WMDestroy(TMessage& message);
    void WMDrawItem(TMessage& message);
    void WMInitMenuPopup(TMessage& message);
    void WMMeasureItem(TMessage& message);
    void WMSetFocus(TMessage& message);
    void WMSize(TMessage& message);
    void WMSysCommand(TMessage& message);
    void CMDialogChar(TMessage& message);
    void CMDialogKey(TMessage& message);
    void CMRelease(TMessage& message);
    // An action nobody else handled (LParam: TBasicAction*), offered to the active control, then to the
    // form itself and its controls; Result 1 when one of them took it.
    void CMActionExecute(TMessage& message);
    void CMActionUpdate(TMessage& message);
    void CMShowingChanged(TMessage& message);

private:
    void ApplyLayeredAttributes();
    void PlaceOnShow();
    // fsVisible follows whether the window is on screen now.
    void NoteVisible();
    void CreateMDIClient();
    // The form's modal loop step: asks CloseQuery and OnClose once ModalResult is set.
    void CloseModal();
    bool OfferAction(TBasicAction* action, bool (TComponent::*offer)(TBasicAction*));
    void SetWindowFocus();

    TFormState formState_;
    bool buildPending_ = false;
    bool oldCreateOrder_ = false;
    bool joinedScreen_ = false;
    int modalResult_ = mrNone;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    bool alphaBlend_ = false;
    std::uint8_t alphaBlendValue_ = 255;
    bool transparentColor_ = false;
    TColor transparentColorValue_ = clBlack;
    TCustomForm* popupParent_ = nullptr;
    TPopupMode popupMode_ = pmNone;
    TMainMenu* menu_ = nullptr;
    bool active_ = false;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    bool scrollOnFocus_ = true;
    HWND clientHandle_ = nullptr;
    bool dockSite_ = false;
    bool useDockManager_ = false;
    TObjectPtr<TControlCanvas> canvas_;
};

class TForm : public TCustomForm {
    CLASSLIB_COMPONENT(TForm, TCustomForm)
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    TForm(TComponent* owner, TNoBuilders) : TCustomForm(owner, NoBuilders) {}
};

// The form a control sits on (its nearest form ancestor, the control itself when it is a form), or null.
TCustomForm* GetParentForm(TControl* control);
// As GetParentForm; raises EInvalidOperation "Control '%s' has no parent window" when there is none.
TCustomForm* ValidParentForm(TControl* control);
