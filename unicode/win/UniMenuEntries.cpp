#include "unicode/win/UniMenuEntries.h"

#include "classlib/win/TMainMenu.h"
#include "unicode/win/ShortCutTextW.h"
#include "unicode/win/TUniMenuItem.h"
#include "unicode/win/UniControls.h"

namespace uni {

namespace {

bool OnMenuBar(TMenuItem* item) {
    TMenuItem* parent = item->Parent();
    TMenu* menu = item->GetParentMenu();
    return parent && !parent->Parent() && dynamic_cast<TMainMenu*>(menu) != nullptr;
}

}  // namespace

void WriteWideMenuEntry(TMenuItem* item) {
    auto* wide = dynamic_cast<TUniMenuItem*>(item);
    TMenuItem* parent = item->Parent();
    if (!wide || !parent || !parent->HandleAllocated() || !item->Visible() || item->IsLine()) return;
    WideString text = wide->Caption();
    if (item->ShortCut() != 0 && !OnMenuBar(item)) {
        const WideString keys = ShortCutTextW(item->ShortCut());
        if (!keys.empty()) text += u"\t" + keys;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = reinterpret_cast<wchar_t*>(text.data());
    if (!::SetMenuItemInfoW(parent->Handle(), item->Command(), FALSE, &info)) RaiseLastWin32Error();
}

void WriteWideMenuEntries(TMenuItem* parent) {
    if (!parent->HandleAllocated()) return;
    for (int i = 0; i < parent->Count(); ++i) WriteWideMenuEntry(parent->Items(i));
}

}  // namespace uni
