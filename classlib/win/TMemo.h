// A multi-line text field. Its Lines are the lines of its text (a line ends at a line break, whether or not
// the window wraps it on screen), read and changed in place in the window, so they live as long as the text
// does: through RecreateWnd and before the window exists.
#pragma once
#include <memory>

#include "classlib/core/TStrings.h"
#include "classlib/win/TEdit.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

class TMemoStrings : public TStrings {
    CLASSLIB_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

    AnsiString Get(int index) const override;
    int GetCount() const override;
    void Put(int index, const AnsiString& s) override;
    // Every inserted line ends with a line break; one is added first after a last line that has none.
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override;
    // Sets the whole text at once, line breaks made CR LF.
    void SetTextStr(const AnsiString& text) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    // Replaces the characters [start, end) of the memo's text.
    void Replace(std::size_t start, std::size_t end, const AnsiString& with) const;

    TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
    CLASSLIB_COMPONENT(TCustomMemo, TCustomEdit)
    CLASSLIB_MESSAGES(TCustomMemo, CLASSLIB_ON(WM_GETDLGCODE, &TCustomMemo::WMGetDlgCode))

    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return lines_.get(); }
    // Copies value's lines.
    void SetLines(TStrings* value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // Long lines wrap at the right edge (default); a horizontal scroll bar is then left out, since it would
    // stop the wrapping.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Enter starts a new line (default); without, Enter goes to the form (the default button).
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value);
    // Tab is typed into the text; without (default), Tab moves the focus.
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WMGetDlgCode(TMessage& message);

private:
    TObjectPtr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
    CLASSLIB_COMPONENT(TMemo, TCustomMemo)

    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};
