// The Unicode tab control: a Unicode "SysTabControl32" window whose tab captions are wide. The library's
// 8-bit tab list keeps the tabs' order, objects and the selection; the wide captions live beside it and are
// given to every new window.
#pragma once
#include <memory>
#include <vector>

#include "classlib/win/TTabControl.h"
#include "unicode/core/TUniStringsOverAnsi.h"
#include "unicode/win/UniStdControl.h"

class TUniCustomTabControl;

// The wide tab captions: TCM_GETITEMW and TCM_SETITEMW while the window exists. Count, objects and the
// update state are those of the 8-bit tab list.
class TUniTabStrings : public TUniStringsOverAnsi {
    CLASSLIB_CLASS(TUniTabStrings, TUniStringsOverAnsi)
public:
    explicit TUniTabStrings(TUniCustomTabControl* tabControl) : tabControl_(tabControl) {}

    // Raises EUniGeneralError "Failed to retrieve tab at index %d" when the window refuses.
    WideString Get(int index) const override;
    // Raises EUniGeneralError "Failed to set tab "%s" at index %d" when the window refuses.
    void Put(int index, const WideString& s) override;
    void Insert(int index, const WideString& s) override;
    void Delete(int index) override;
    void Clear() override;

protected:
    TStrings* AnsiItems() const override;

private:
    TUniCustomTabControl* tabControl_;
};

class TUniCustomTabControl : public uni::TUniWindowed<TCustomTabControl> {
    CLASSLIB_COMPONENT(TUniCustomTabControl, TCustomTabControl)
    CLASSLIB_MESSAGES(TUniCustomTabControl, CLASSLIB_ON(CM_DIALOGCHAR, &TUniCustomTabControl::CMDialogChar))
    explicit TUniCustomTabControl(TComponent* owner);

    TUniStrings* Tabs() const { return tabs_.get(); }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    void CreateWnd() override;
    // A tab's wide hot key selects it when CanChange allows, then Change; handled even when refused.
    void CMDialogChar(TMessage& message);

private:
    friend class TUniTabStrings;
    bool InWindow() const;
    void WriteWindowText(int index, const WideString& s);
    // The wide caption kept for a tab, or the 8-bit caption widened when the library changed it since.
    WideString KeptCaption(int index) const;

    TObjectPtr<TUniTabStrings> tabs_;
    std::vector<WideString> captions_;  // beside the 8-bit tabs, same order
};

class TUniTabControl : public TUniCustomTabControl {
    CLASSLIB_COMPONENT(TUniTabControl, TUniCustomTabControl)
    explicit TUniTabControl(TComponent* owner) : TUniCustomTabControl(owner) {}
};
