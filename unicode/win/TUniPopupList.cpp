#include "unicode/win/TUniPopupList.h"

#include "unicode/win/TUniApplication.h"
#include "unicode/win/TUniMenuItem.h"
#include "unicode/win/UniControls.h"
#include "unicode/win/UniMenuEntries.h"
#include "classlib/win/TPopupMenu.h"

void TUniPopupList::WndProc(TMessage& message) {
    if (message.Msg == WM_MENUSELECT && ::UniApplication) {
        TMenuItem* item = FindSelectedItem(message.WParam, message.LParam);
        ::UniApplication->SetHint(item ? uni::LongWideHint(uni::MenuItemHintW(item)) : WideString());
    }
    TPopupList::WndProc(message);
    // A menu about to open was filled in 8-bit form: its Unicode items get their wide entries.
    if (message.Msg == WM_INITMENUPOPUP)
        if (TMenuItem* item = FindItemOfMenu(reinterpret_cast<HMENU>(message.WParam))) uni::WriteWideMenuEntries(item);
}

namespace {

TMenuItem* FindIn(TMenuItem* item, HMENU menu) {
    if (item->HandleAllocated() && item->Handle() == menu) return item;
    for (int i = 0; i < item->Count(); ++i)
        if (TMenuItem* found = FindIn(item->Items(i), menu)) return found;
    return nullptr;
}

}  // namespace

TMenuItem* TUniPopupList::FindItemOfMenu(HMENU menu) const {
    for (int i = 0; i < Count(); ++i)
        if (TMenuItem* found = FindIn(Items(i)->Items(), menu)) return found;
    return nullptr;
}
