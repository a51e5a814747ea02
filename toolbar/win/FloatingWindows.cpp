#include "toolbar/win/FloatingWindows.h"

#include <memory>

#include "classlib/win/TApplication.h"
#include "toolbar/core/Lists.h"
#include "toolbar/win/TTBFloatingWindowParent.h"

namespace tb {
namespace {

thread_local std::unique_ptr<std::vector<TTBCustomDockableWindow*>> floatingWindows;

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM list) {
    reinterpret_cast<std::vector<TWindowId>*>(list)->push_back(IdOf(wnd));
    return TRUE;
}

}  // namespace

TWindowId TSystemWindowQuery::Owner(TWindowId window) const { return IdOf(::GetWindow(WindowOf(window), GW_OWNER)); }
TWindowId TSystemWindowQuery::Parent(TWindowId window) const { return IdOf(::GetParent(WindowOf(window))); }
bool TSystemWindowQuery::IsChildWindow(TWindowId window) const {
    return (::GetWindowLongPtrA(WindowOf(window), GWL_STYLE) & WS_CHILD) != 0;
}
bool TSystemWindowQuery::Visible(TWindowId window) const { return ::IsWindowVisible(WindowOf(window)) != FALSE; }
bool TSystemWindowQuery::Enabled(TWindowId window) const { return ::IsWindowEnabled(WindowOf(window)) != FALSE; }
bool TSystemWindowQuery::Iconic(TWindowId window) const { return ::IsIconic(WindowOf(window)) != FALSE; }
bool TSystemWindowQuery::Topmost(TWindowId window) const {
    return (::GetWindowLongPtrA(WindowOf(window), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
TWindowId TSystemWindowQuery::ActiveWindow() const { return IdOf(::GetActiveWindow()); }
TWindowId TSystemWindowQuery::ApplicationWindow() const { return Application ? IdOf(Application->Handle()) : 0; }
std::vector<TWindowId> TSystemWindowQuery::ThreadWindows() const {
    std::vector<TWindowId> list;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&list));
    return list;
}
TWindowId TSystemWindowQuery::WindowAbove(TWindowId window) const {
    return IdOf(::GetWindow(WindowOf(window), GW_HWNDPREV));
}
bool TSystemWindowQuery::IsPopupMenuWindow(TWindowId window) const {
    return dynamic_cast<IPopupMenuWindow*>(FindControl(WindowOf(window))) != nullptr;
}
TWindowId TSystemWindowQuery::FloatingFrameForm(TWindowId window) const {
    auto* frame = dynamic_cast<TTBFloatingWindowParent*>(FindControl(WindowOf(window)));
    if (!frame || !frame->ParentForm() || !frame->ParentForm()->HandleAllocated()) return 0;
    return IdOf(frame->ParentForm()->Handle());
}

HWND FindOtherThreadWindow(HWND window) {
    return WindowOf(tb::FindOtherThreadWindow(TSystemWindowQuery{}, IdOf(window)));
}

void AddFloatingWindow(TTBCustomDockableWindow* window) { AddToList(floatingWindows, window); }
void RemoveFloatingWindow(TTBCustomDockableWindow* window) { RemoveFromList(floatingWindows, window); }
std::vector<TTBCustomDockableWindow*> FloatingWindows() {
    return floatingWindows ? *floatingWindows : std::vector<TTBCustomDockableWindow*>{};
}

}  // namespace tb
