// The tab control: a row of tabs over a page area that holds the child controls. The tabs live in the
// window and survive its re-creation; changing the tab can be refused (CanChange, OnChanging).
#pragma once
#include <memory>

#include "classlib/win/TWinControl.h"
#include "classlib/win/TWindowStrings.h"

class TCustomTabControl;

using TTabChangingEvent = Method<void(TObject* sender, bool& allowChange)>;

// The tab captions (TCM_ messages while the window exists); an object rides on each tab.
class TTabStrings : public TWindowStrings {
    CLASSLIB_CLASS(TTabStrings, TWindowStrings)
public:
    explicit TTabStrings(TCustomTabControl* tabControl) : tabControl_(tabControl) {}
    TCustomTabControl* TabControl() const { return tabControl_; }
    // Renames a tab in place.
    void Put(int index, const AnsiString& s) override;

protected:
    bool InWindow() const override;
    int WindowCount() const override;
    AnsiString WindowGet(int index) const override;
    TObject* WindowGetObject(int index) const override;
    void WindowPutObject(int index, TObject* obj) override;
    void WindowInsert(int index, const AnsiString& s, TObject* obj) override;
    void WindowDelete(int index) override;
    void WindowClear() override;
    void Changed() override;

private:
    std::intptr_t Send(UINT msg, WPARAM wParam, LPARAM lParam) const;
    TCustomTabControl* tabControl_;
};

class TCustomTabControl : public TWinControl {
    CLASSLIB_COMPONENT(TCustomTabControl, TWinControl)
    CLASSLIB_MESSAGES(TCustomTabControl, CLASSLIB_ON(CN_NOTIFY, &TCustomTabControl::CNNotify))

    explicit TCustomTabControl(TComponent* owner);

    TStrings* Tabs() const { return tabs_.get(); }
    void SetTabs(TStrings* value);
    // The selected tab, -1 for none. Setting it raises no events.
    int TabIndex();
    void SetTabIndex(int value);
    // The page area below the tabs, in client coordinates; child controls are aligned inside it.
    TRect DisplayRect();

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void AdjustClientRect(TRect& rect) override;
    // Whether the user may leave the current tab: OnChanging decides (default yes).
    virtual bool CanChange();
    // The user chose another tab: OnChange.
    virtual void Change();
    void CNNotify(TMessage& message);

private:
    friend class TTabStrings;
    TObjectPtr<TTabStrings> tabs_;
    int tabIndex_ = -1;  // kept while there is no window
};

class TTabControl : public TCustomTabControl {
    CLASSLIB_COMPONENT(TTabControl, TCustomTabControl)
    explicit TTabControl(TComponent* owner) : TCustomTabControl(owner) {}
};
