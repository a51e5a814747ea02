#include "classlib/win/SystemParts.h"

HWND NoticeSource(const TMessage& message) {
    if (!message.LParam) return nullptr;
    switch (message.Msg) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL: return reinterpret_cast<HWND>(message.LParam);
        case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
        case WM_DRAWITEM: return reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
        case WM_DELETEITEM: return reinterpret_cast<const DELETEITEMSTRUCT*>(message.LParam)->hwndItem;
        case WM_COMPAREITEM: return reinterpret_cast<const COMPAREITEMSTRUCT*>(message.LParam)->hwndItem;
        default: return nullptr;
    }
}

bool PassSystemPartNotice(TWinControl* control, TMessage& message) {
    const HWND from = NoticeSource(message);
    if (!from || from == control->WindowHandle() || FindControl(from)) return false;
    control->DefaultHandler(message);
    return true;
}
