// A menu bar for window tests of views and the menu loop: a child control showing a toolbar view of a
// root item (the toolbar class that joins views and docks comes later). A left press on an item starts the
// loop from the mouse; EnterKeyboardMode is what F10 does on a menu bar (first item selected, underlines
// on, loop without options).
#pragma once
#include <functional>
#include <stdexcept>

#include "classlib/win/TCustomControl.h"
#include "classlib/win/TCustomForm.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBView.h"

namespace toolbartest {

// An item with a submenu; onPopup runs when its submenu is about to open.
class SubmenuItem : public TTBCustomItem {
public:
    explicit SubmenuItem(TComponent* owner) : TTBCustomItem(owner) {
        TTBItemStyle style = ItemStyle();
        style.Include(tbisSubmenu);
        SetItemStyle(style);
    }
    void DoPopup(TTBCustomItem* sender, bool fromLink) override {
        TTBCustomItem::DoPopup(sender, fromLink);
        if (onPopup) onPopup();
    }
    std::function<void()> onPopup;
};

class MenuBarHost : public TCustomControl {
public:
    MenuBarHost(TComponent* owner, TTBCustomItem* root) : TCustomControl(owner) {
        SetColor(clBtnFace);
        view_ = MakeObject<TTBView>(nullptr, nullptr, root, this, true);
        view_->SetStyle(kVssMenuBar);
    }
    TTBView* View() const { return view_.get(); }
    // Sizes the bar to its view.
    void Fit() {
        const TPoint size = view_->UpdatePositions();
        SetBounds(Left(), Top(), size.X, size.Y);
    }
    void EnterKeyboardMode() {
        view_->Select(view_->NextSelectable(nullptr, true), false);
        view_->ShowAccelMarks(true);
        view_->RunMenuLoop(0);
    }

protected:
    void PaintWindow(HDC dc) override { view_->PaintAllViewers(dc); }
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_LBUTTONDOWN) {
            const TPoint p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
            if (TTBItemViewer* v = view_->ViewerAtPoint(p)) {
                view_->Select(v, true);
                view_->RunMenuLoop(1);
            }
            return;
        }
        TCustomControl::WndProc(message);
    }

private:
    TObjectPtr<TTBView> view_;
};

// A new item of class T with the caption, added at the end of parent (which owns it from then on).
template <class T>
T* AddItem(TTBCustomItem* parent, const char16_t* caption) {
    T* item = Create<T>(nullptr);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// Puts the bar on the form, shows the form active and in front, and sizes the bar to its items. False when the
// form did not become active.
inline bool ShowBarOnForm(MenuBarHost* host, TCustomForm* form) {
    host->SetParent(form);
    host->SetBounds(0, 0, 10, 10);
    form->Show();
    if (!apptest::PumpUntil([&] { return form->Active(); })) return false;
    ::SetForegroundWindow(form->Handle());
    host->Fit();
    apptest::PumpQueued();  // the bar's first paint
    return true;
}

}  // namespace toolbartest
