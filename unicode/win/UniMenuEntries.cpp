#include "unicode/win/UniMenuEntries.h"

#include "classlib/win/TMainMenu.h"
#include "classlib/win/WideChars.h"
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
    HMENU menu = parent->Handle();
    // Written only when the entry shows something else (this runs whenever the item updates).
    wchar_t shown[256] = {};
    const int n = ::GetMenuStringW(menu, item->Command(), shown, 256, MF_BYCOMMAND);
    if (n >= 0 && static_cast<std::size_t>(n) == text.size() && text.size() < 255 &&
        FromWideChars(shown, static_cast<std::size_t>(n)) == text)
        return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = WideBuffer(text);
    if (!::SetMenuItemInfoW(menu, item->Command(), FALSE, &info)) RaiseLastWin32Error();
    // A menu bar shows a changed entry only when drawn again.
    if (auto* bar = dynamic_cast<TMainMenu*>(item->GetParentMenu()); bar && OnMenuBar(item) && bar->WindowHandle())
        ::DrawMenuBar(bar->WindowHandle());
}

void WriteWideMenuEntries(TMenuItem* parent) {
    if (!parent->HandleAllocated()) return;
    for (int i = 0; i < parent->Count(); ++i) WriteWideMenuEntry(parent->Items(i));
}

}  // namespace uni
