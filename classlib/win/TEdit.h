// A single-line text field on the system's "EDIT" class. OnChange follows every change of the text, typed
// or set by the program, once per change, with or without a window.
#pragma once
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TWinControl.h"

class TCustomEdit : public TWinControl {
    CLASSLIB_COMPONENT(TCustomEdit, TWinControl)
    CLASSLIB_MESSAGES(TCustomEdit, CLASSLIB_ON(CN_COMMAND, &TCustomEdit::CNCommand),
                      CLASSLIB_ON(CN_CTLCOLOREDIT, &TCustomEdit::CNCtlColor),
                      CLASSLIB_ON(CN_CTLCOLORSTATIC, &TCustomEdit::CNCtlColor),
                      CLASSLIB_ON(WM_SETTEXT, &TCustomEdit::WMSetText),
                      CLASSLIB_ON(CM_TEXTCHANGED, &TCustomEdit::CMTextChanged),
                      CLASSLIB_ON(CM_ENTER, &TCustomEdit::CMEnter))

    explicit TCustomEdit(TComponent* owner);

    // Longest text the user can type; 0 for the system's limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // Shown instead of every character; 0 shows the text.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    // bsSingle (default): a sunken edge; bsNone: none.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Whether the selection stays visible while the edit does not have the focus (default true: hidden).
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    // Whether a single-line edit selects its whole text when the focus comes by the keyboard (Tab), so that
    // typing replaces it (default true). Ctrl+A selects all in every edit.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    // Whether the user changed the text since it was last set to false.
    bool Modified();
    void SetModified(bool value);

    // The selection, in characters of the text (line breaks count as the two characters they are). These
    // need the window and make it. Virtual: a control with wide text counts in its own units.
    virtual int SelStart();
    virtual void SetSelStart(int value);
    virtual int SelLength();
    virtual void SetSelLength(int value);
    virtual AnsiString SelText();
    // Replaces the selection (inserts at the caret when nothing is selected).
    virtual void SetSelText(const AnsiString& value);
    void SelectAll();
    void Clear() { SetText(AnsiString()); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Raises OnChange.
    virtual void Change();
    // Ctrl+A selects the whole text (the system's edit does not everywhere); its character is not typed.
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;

    void CNCommand(TMessage& message);
    void CNCtlColor(TMessage& message);
    void WMSetText(TMessage& message);
    void CMTextChanged(TMessage& message);
    void CMEnter(TMessage& message);

private:
    void GetSelection(DWORD& start, DWORD& end);

    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    bool hideSelection_ = true;
    bool autoSelect_ = true;
    bool modified_ = false;
    // While the window is made or its text set by the program, the system's change notice is not the
    // user's: the program's change raises OnChange once, after the text is in place.
    int quietChanges_ = 0;
    TGdiHandle<HBRUSH> brush_;
    TColor brushColor_ = clNone;
};

class TEdit : public TCustomEdit {
    CLASSLIB_COMPONENT(TEdit, TCustomEdit)

    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
