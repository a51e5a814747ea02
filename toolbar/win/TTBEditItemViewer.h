// How an edit item shows in a view: its caption and a text field, and the in-place edit of that field.
// Edit puts a real wide edit window over the field, subclasses it, and runs a message loop of its own
// until the user accepts the text (Enter, Tab), drops it (Esc), presses a system key, moves the focus away
// or clicks elsewhere (that click stays queued for its target).
#pragma once
#include "classlib/core/TColor.h"
#include "toolbar/win/TTBItemViewer.h"

class TTBEditItem;

class TTBEditItemViewer : public TTBItemViewer {
    CLASSLIB_CLASS(TTBEditItemViewer, TTBItemViewer)

    // How an edit ended.
    enum TEndState { esCancelled = 0, esEditing = 1, esTab = 2, esSystem = 4, esEnter = 6 };

    TTBEditItemViewer(TTBView* view, TTBCustomItem* item, int groupLevel);
    ~TTBEditItemViewer() override;

    TTBEditItem* EditItem() const;
    // Edits the text in place; captureWnd is the window the running menu loop captures the mouse with
    // (null when none runs). Answers whether the menu loop should end (Enter, a system key, lost focus).
    bool Edit(HWND captureWnd);
    HWND EditWindow() const { return editWnd_; }
    bool InEditLoop() const { return inLoop_; }
    TEndState EndState() const { return state_; }

    // The item's new text into a running edit, without its own change notice coming back.
    void PushText(const WideString& text);
    // The item is being freed during an edit: the loop ends without touching it again.
    void ItemGone();

    void CalcSize(HDC dc, int& width, int& height) override;
    bool DoExecute() override;
    bool IsPtInButtonPart(int x, int y) const override;
    void MouseDown(TShiftState shift, int x, int y, bool& mouseDownOnMenu) override;
    void MouseUp(int x, int y, bool mouseWasDownOnMenu) override;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;
    bool UsesSameWidth() const override { return false; }
    std::int32_t GetAccRole() const override { return 42; }  // ROLE_SYSTEM_TEXT
    bool GetAccValue(WideString& value) const override;

protected:
    // The field in the view window's client coordinates (empty: nothing to edit).
    virtual TRect GetEditRect() const;
    // How far the edit window stays inside the field on each side.
    virtual TRect GetEditMargins() const { return TRect{2, 2, 2, 2}; }
    // The edit window's styles and background colour before it is made.
    virtual void GetEditStyle(DWORD& style, DWORD& exStyle, TColor& color) {}
    // The edit window's font, made from the view's font.
    virtual void AdjustEditFont(LOGFONTW& font) {}
    // The colour of the text in the edit window (the view window passes the colour question on to it).
    virtual TColor EditTextColor() const { return clWindowText; }
    // After the window is made and holds the text: its limit, the whole text selected, no margins.
    virtual void PrepareEditWindow(HWND edit);
    // Sees every message of the edit window first; true with result when it handled the message.
    virtual bool EditMessageHook(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    // The text of the edit window as it stands.
    WideString ReadEditText() const;
    // Set while the viewer itself puts text into the edit window.
    bool SettingText() const { return settingText_; }
    // The edit window's text, set with SettingText held.
    void WriteEditText(const WideString& text);
    // Where the caption ends and the field begins in viewer coordinates (0 without a caption).
    int CaptionWidth(HDC dc) const;
    TColor EditColor() const { return editColor_; }

private:
    static LRESULT CALLBACK EditWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleEditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void RunLoop(HWND viewWnd, HWND captureWnd);
    // Frees the drawing objects and the edit window; raises when the window cannot be destroyed.
    void EndEdit();
    void Finish(HWND viewWnd, HWND captureWnd, HWND activeWnd, HWND focusWnd);

    HWND editWnd_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    HBRUSH brush_ = nullptr;
    HFONT font_ = nullptr;
    TColor editColor_ = clWindow;
    TEndState state_ = esEditing;
    bool inLoop_ = false;
    bool settingText_ = false;
    bool itemGone_ = false;
};
