#include "classlib/win/TPopupMenu.h"

#include "classlib/win/TPopupList.h"

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { EnsurePopupList()->Add(this); }

TPopupMenu::~TPopupMenu() {
    TPopupList::RemoveEverywhere(this);
    SetPopupComponent(nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
    if (value == popupComponent_) return;
    if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = value;
    if (value) value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component && component == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::DoPopup(TObject* sender) {
    if (OnPopup) OnPopup(sender);
}

UINT TPopupMenu::TrackFlags() const {
    UINT flags = 0;
    switch (alignment_) {
        case paLeft: flags |= TPM_LEFTALIGN; break;
        case paRight: flags |= TPM_RIGHTALIGN; break;
        case paCenter: flags |= TPM_CENTERALIGN; break;
    }
    flags |= trackButton_ == tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
    return flags;
}

void TPopupMenu::Popup(int x, int y) {
    popupPoint_ = TPoint{x, y};
    DoPopup(this);
    Items()->InitiateAction();
    ::TrackPopupMenu(Handle(), TrackFlags(), x, y, 0, EnsurePopupList()->Window(), nullptr);
}
