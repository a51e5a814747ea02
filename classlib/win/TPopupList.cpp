// TColor.h before the system headers: their colour-part macros would hide its functions.
#include "classlib/core/TColor.h"
#include "classlib/win/TPopupList.h"

#include <algorithm>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/ObjectInstance.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TPopupMenu.h"

TPopupList* PopupList = nullptr;

void RegisterMenusUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "Menus",
        [] {
            if (!PopupList) PopupList = Create<TPopupList>();
        },
        [] { FreeAndNil(PopupList); }, 300);
}

TPopupList* EnsurePopupList() {
    RegisterMenusUnit();
    if (!PopupList) PopupList = Create<TPopupList>();
    return PopupList;
}

namespace {

// Every popup list that exists: a list taken out of service may be put back later.
std::vector<TPopupList*>& LiveLists() {
    static std::vector<TPopupList*> lists;
    return lists;
}

}  // namespace

TPopupList::TPopupList() { LiveLists().push_back(this); }

TPopupList::~TPopupList() {
    std::vector<TPopupList*>& lists = LiveLists();
    lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
    DeallocateHWnd(window_);
}

void TPopupList::RemoveEverywhere(TPopupMenu* menu) {
    for (TPopupList* list : LiveLists()) list->Remove(menu);
}

void TPopupList::Add(TPopupMenu* menu) {
    if (menu && std::find(menus_.begin(), menus_.end(), menu) == menus_.end()) menus_.push_back(menu);
}

void TPopupList::Remove(TPopupMenu* menu) {
    auto it = std::find(menus_.begin(), menus_.end(), menu);
    if (it != menus_.end()) menus_.erase(it);
}

TPopupMenu* TPopupList::Items(int index) const {
    if (index < 0 || index >= Count()) throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
    return menus_[static_cast<std::size_t>(index)];
}

HWND TPopupList::Window() {
    if (!window_) window_ = AllocateHWnd(MakeMethod<&TPopupList::MainWndProc>(this));
    return window_;
}

TMenuItem* TPopupList::FindSelectedItem(std::uintptr_t wParam, std::intptr_t lParam) const {
    for (TPopupMenu* popup : menus_) {
        if (TMenuItem* item = popup->SelectedItem(wParam, lParam)) return item;
    }
    return nullptr;
}

void TPopupList::MainWndProc(TMessage& message) {
    try {
        WndProc(message);
    } catch (...) {
        HandleCallbackException(this);
    }
}

void TPopupList::WndProc(TMessage& message) {
    // A click may free menus: each pass works on a copy of the list and stops at the first menu that took it.
    const std::vector<TPopupMenu*> menus = menus_;
    switch (message.Msg) {
        case WM_COMMAND:
            if (HIWORD(message.WParam) == 0 && message.LParam == 0) {
                for (TPopupMenu* menu : menus) {
                    if (menu->DispatchCommand(LOWORD(message.WParam))) {
                        message.Result = 0;
                        return;
                    }
                }
            }
            break;
        case WM_INITMENUPOPUP:
            for (TPopupMenu* menu : menus) {
                if (menu->DispatchPopup(reinterpret_cast<HMENU>(message.WParam))) {
                    message.Result = 0;
                    return;
                }
            }
            break;
        case WM_MENUSELECT: {
            TMenuItem* item = FindSelectedItem(message.WParam, message.LParam);
            if (Application) Application->SetHint(item ? GetLongHint(item->Hint()) : AnsiString());
            message.Result = 0;
            return;
        }
        case WM_DRAWITEM:
            for (TPopupMenu* menu : menus) {
                if (menu->DispatchDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))) {
                    message.Result = TRUE;
                    return;
                }
            }
            break;
        case WM_MEASUREITEM:
            for (TPopupMenu* menu : menus) {
                if (menu->DispatchMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))) {
                    message.Result = TRUE;
                    return;
                }
            }
            break;
        default: break;
    }
    DefaultWndProc(message);
}

void TPopupList::DefaultWndProc(TMessage& message) {
    message.Result = ::DefWindowProcA(window_, message.Msg, message.WParam, message.LParam);
}

TPopupList* SetPopupList(TPopupList* replacement) {
    TPopupList* old = PopupList;
    if (replacement == old) return nullptr;
    if (replacement && old) {
        for (TPopupMenu* menu : old->menus_) replacement->Add(menu);
        old->menus_.clear();
    }
    PopupList = replacement;
    return old;
}
