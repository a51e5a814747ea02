// Messages between the objects of the class library: the message record every window procedure and handler
// works on, and the numbers of the library's own notifications. The CM_ numbers (0xB000-0xB0FF) and the
// reflected CN_ range (CN_BASE + a system message number) sit above WM_APP, clear of the program's own
// WM_USER-range numbers; they are fixed here once and for all.
#pragma once
#include <cstdint>

#include "classlib/core/Method.h"

// One message as a window procedure receives it. Msg, WParam, LParam and Result have the widths of the
// system's UINT, WPARAM, LPARAM and LRESULT (16 bytes on 32-bit Windows).
struct TMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;

    std::uint16_t WParamLo() const { return static_cast<std::uint16_t>(WParam & 0xFFFF); }
    std::uint16_t WParamHi() const { return static_cast<std::uint16_t>((WParam >> 16) & 0xFFFF); }
    std::uint16_t LParamLo() const { return static_cast<std::uint16_t>(static_cast<std::uintptr_t>(LParam) & 0xFFFF); }
    std::uint16_t LParamHi() const {
        return static_cast<std::uint16_t>((static_cast<std::uintptr_t>(LParam) >> 16) & 0xFFFF);
    }
};

// A window procedure as a method of an object: WindowProc chains, object instances, utility windows.
using TWndMethod = Method<void(TMessage& message)>;

// The library's notifications. CM_MOUSELEAVE is fixed at 0xB014: program code sends it by number.
enum : std::uint32_t {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0x00,
    CM_DEACTIVATE = CM_BASE + 0x01,
    CM_GOTFOCUS = CM_BASE + 0x02,
    CM_LOSTFOCUS = CM_BASE + 0x03,
    CM_CANCELMODE = CM_BASE + 0x04,
    CM_DIALOGKEY = CM_BASE + 0x05,
    CM_DIALOGCHAR = CM_BASE + 0x06,
    CM_FOCUSCHANGED = CM_BASE + 0x07,
    CM_PARENTFONTCHANGED = CM_BASE + 0x08,
    CM_PARENTCOLORCHANGED = CM_BASE + 0x09,
    CM_HITTEST = CM_BASE + 0x0A,
    CM_VISIBLECHANGED = CM_BASE + 0x0B,
    CM_ENABLEDCHANGED = CM_BASE + 0x0C,
    CM_COLORCHANGED = CM_BASE + 0x0D,
    CM_FONTCHANGED = CM_BASE + 0x0E,
    CM_CURSORCHANGED = CM_BASE + 0x0F,
    CM_TEXTCHANGED = CM_BASE + 0x12,
    CM_MOUSEENTER = CM_BASE + 0x13,
    CM_MOUSELEAVE = CM_BASE + 0x14,
    CM_MENUCHANGED = CM_BASE + 0x15,
    CM_APPKEYDOWN = CM_BASE + 0x16,
    CM_APPSYSCOMMAND = CM_BASE + 0x17,
    CM_BUTTONPRESSED = CM_BASE + 0x18,
    CM_SHOWINGCHANGED = CM_BASE + 0x19,
    CM_ENTER = CM_BASE + 0x1A,
    CM_EXIT = CM_BASE + 0x1B,
    CM_ICONCHANGED = CM_BASE + 0x1D,
    CM_WANTSPECIALKEY = CM_BASE + 0x1E,
    CM_INVOKEHELP = CM_BASE + 0x1F,
    CM_WINDOWHOOK = CM_BASE + 0x20,
    CM_RELEASE = CM_BASE + 0x21,
    CM_SHOWHINTCHANGED = CM_BASE + 0x22,
    CM_PARENTSHOWHINTCHANGED = CM_BASE + 0x23,
    CM_SYSCOLORCHANGE = CM_BASE + 0x24,
    CM_WININICHANGE = CM_BASE + 0x25,
    CM_FONTCHANGE = CM_BASE + 0x26,
    CM_TABSTOPCHANGED = CM_BASE + 0x28,
    CM_CONTROLLISTCHANGE = CM_BASE + 0x2C,
    CM_CHILDKEY = CM_BASE + 0x2E,
    CM_HINTSHOW = CM_BASE + 0x30,
    CM_DIALOGHANDLE = CM_BASE + 0x31,
    CM_RECREATEWND = CM_BASE + 0x33,
    CM_INVALIDATE = CM_BASE + 0x34,
    CM_SYSFONTCHANGED = CM_BASE + 0x35,
    CM_CONTROLCHANGE = CM_BASE + 0x36,
    CM_CHANGED = CM_BASE + 0x37,
    CM_BORDERCHANGED = CM_BASE + 0x3B,
    CM_BIDIMODECHANGED = CM_BASE + 0x3C,
    CM_PARENTBIDIMODECHANGED = CM_BASE + 0x3D,
    CM_ACTIONUPDATE = CM_BASE + 0x3F,
    CM_ACTIONEXECUTE = CM_BASE + 0x40,
    CM_HINTSHOWPAUSE = CM_BASE + 0x41,
    CM_MOUSEWHEEL = CM_BASE + 0x43,
    CM_ISSHORTCUT = CM_BASE + 0x44,
    CM_PARENTBACKGROUNDCHANGED = CM_BASE + 0x46,
    CM_LAST = CM_BASE + 0xFF,
};

static_assert(CM_MOUSELEAVE == 0xB014, "program code sends CM_MOUSELEAVE by number");

// A notification that a parent reflects back to the child window it came from: CN_BASE + the system message.
enum : std::uint32_t {
    CN_BASE = 0xBC00,
    CN_CHARTOITEM = CN_BASE + 0x002F,       // WM_CHARTOITEM
    CN_COMMAND = CN_BASE + 0x0111,          // WM_COMMAND
    CN_COMPAREITEM = CN_BASE + 0x0039,      // WM_COMPAREITEM
    CN_CTLCOLORBTN = CN_BASE + 0x0135,      // WM_CTLCOLORBTN
    CN_CTLCOLORDLG = CN_BASE + 0x0136,      // WM_CTLCOLORDLG
    CN_CTLCOLOREDIT = CN_BASE + 0x0133,     // WM_CTLCOLOREDIT
    CN_CTLCOLORLISTBOX = CN_BASE + 0x0134,  // WM_CTLCOLORLISTBOX
    CN_CTLCOLORMSGBOX = CN_BASE + 0x0132,   // WM_CTLCOLORMSGBOX
    CN_CTLCOLORSCROLLBAR = CN_BASE + 0x0137,
    CN_CTLCOLORSTATIC = CN_BASE + 0x0138,  // WM_CTLCOLORSTATIC
    CN_DELETEITEM = CN_BASE + 0x002D,      // WM_DELETEITEM
    CN_DRAWITEM = CN_BASE + 0x002B,        // WM_DRAWITEM
    CN_HSCROLL = CN_BASE + 0x0114,         // WM_HSCROLL
    CN_MEASUREITEM = CN_BASE + 0x002C,     // WM_MEASUREITEM
    CN_PARENTNOTIFY = CN_BASE + 0x0210,    // WM_PARENTNOTIFY
    CN_VKEYTOITEM = CN_BASE + 0x002E,      // WM_VKEYTOITEM
    CN_VSCROLL = CN_BASE + 0x0115,         // WM_VSCROLL
    CN_KEYDOWN = CN_BASE + 0x0100,         // WM_KEYDOWN
    CN_KEYUP = CN_BASE + 0x0101,           // WM_KEYUP
    CN_CHAR = CN_BASE + 0x0102,            // WM_CHAR
    CN_SYSKEYDOWN = CN_BASE + 0x0104,      // WM_SYSKEYDOWN
    CN_SYSCHAR = CN_BASE + 0x0106,         // WM_SYSCHAR
    CN_NOTIFY = CN_BASE + 0x004E,          // WM_NOTIFY
};
