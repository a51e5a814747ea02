// The Unicode controls base: any windowed control of the class library made a Unicode window that keeps and
// shows UTF-16 text. A Unicode control class overrides CreateWindowHandle to call uni::CreateWideWindow and
// reads and writes its texts through the wide text and hint operations below.
//
// Start-up: uni::RegisterUniControlsUnit() before classlib::Startup() (the layer's state is made before the
// class library's application, and goes after it).
#pragma once
#include <functional>

#include "classlib/core/StringUtils.h"
#include "classlib/win/TControl.h"
#include "classlib/win/TCreateParams.h"
#include "classlib/win/TWinControl.h"

struct THintInfo;

namespace uni {

// The system is of the NT family (platform id 2): every system this program runs on is.
bool UnicodePlatform();
// The system's version is 5.1 or later.
bool PlatformV51();

// The registered message "UniUnicodeLayer.DestroyWindow", named after this layer: a form sends it to itself
// after WM_DESTROY so that its window is given back the procedures it had before the layer subclassed it.
std::uint32_t DestroyWindowMessage();

// Registers the unit that makes the layer's state (platform flags, the registered message, the two window
// atoms, the default form font) and frees it at shutdown. Calling it again does nothing.
inline constexpr int UniControlsUnitOrder = 90;
void RegisterUniControlsUnit();

// The window-creation hook of every Unicode control: registers "<class>.UnicodeClass" and makes the window
// with CreateWindowExW. subClass names the system class the control builds on ("EDIT"), or null; its wide
// procedure is where unhandled messages end. Raises the system's error when the window cannot be made.
void CreateWideWindow(TWinControl* control, const TCreateParams& params, const wchar_t* subClass);
// The same with the window made by create (given the wide class name), for windows that are not made with
// CreateWindowExW (MDI children); wideDefault is where unhandled messages end.
void CreateWideWindowWith(TWinControl* control, const TCreateParams& params, WNDPROC wideDefault,
                          const std::function<HWND(const wchar_t* className)>& create);
// The wide class of params: its name is params.WinClassName + ".UnicodeClass".
void RegisterWideWindowClass(const TCreateParams& params, WideString& wideClassName);
// Puts the control's trap on its (Unicode) window and gives it its stored wide text, or caption widened.
// Raises EUniInternalError for a window that is not Unicode.
void SubClassUnicodeControl(TWinControl* control, const AnsiString& caption);
// Whether wnd is a window of this layer (made by CreateWideWindow and still subclassed).
bool IsUnicodeControlWindow(HWND wnd);

// The wide text of a control: its Unicode window's text, the stored text while it has no window, the paired
// wide text of a non-windowed control; the 8-bit text widened for a control of the library's own.
WideString GetControlWideText(TControl* control);
// Sets it; a windowed control with a window is told by CM_TEXTCHANGED when the text changed.
void SetControlWideText(TControl* control, const WideString& text);
WideString GetControlWideHint(TControl* control);
void SetControlWideHint(TControl* control, const WideString& hint);
// Whether the caption and hint are the control's own (not those of an action linked to them).
bool IsWideCaptionStored(TControl* control);
bool IsWideHintStored(TControl* control);
// The wide text kept for a control's next window: the stored one while its 8-bit form still matches the
// control's 8-bit text, else defaultText.
WideString GetStoredWideText(TWinControl* control, const WideString& defaultText);
void SetStoredWideText(TWinControl* control, const WideString& text);

// The first non-empty wide hint up the parent chain, or empty.
WideString FindWideHint(TControl* control);
inline WideString ShortWideHint(const WideString& hint) { return GetShortHint(std::u16string_view(hint)); }
inline WideString LongWideHint(const WideString& hint) { return GetLongHint(std::u16string_view(hint)); }

// For CM_HINTSHOW of a Unicode control: a plain THintWindow becomes a TUniCustomHintWindow, and a Unicode
// hint window gets the hint as a Unicode hint (HintData pointing at the record itself).
void PrepareUnicodeHint(THintInfo& info);

// The window's text through the wide entry points.
WideString WindowTextW(HWND wnd);

// Widened from and narrowed to the system ANSI code page.
WideString FromAnsi(const AnsiString& text);
AnsiString ToAnsi(const WideString& text);

// Raises EOSError with the system's text of GetLastError().
[[noreturn]] void RaiseLastWin32Error();

}  // namespace uni
