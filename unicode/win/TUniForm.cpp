#include "unicode/win/TUniForm.h"

#include "classlib/win/BuildRoot.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TMainMenu.h"
#include "classlib/win/TMenuItem.h"
#include "unicode/core/DefaultFormFont.h"
#include "unicode/core/WideProperties.h"
#include "unicode/win/TUniApplication.h"
#include "unicode/win/TUniAction.h"
#include "unicode/win/UniActionLinks.h"
#include "unicode/win/UniControls.h"

TUniForm::TUniForm(TComponent* owner) : TForm(owner, NoBuilders), buildPending_(true) {}

TUniForm::TUniForm(TComponent* owner, TNoBuilders) : TForm(owner, NoBuilders) {}

void TUniForm::AfterConstruction() {
    if (buildPending_) {
        buildPending_ = false;
        if (ClassType() != TUniForm::StaticClass()) InitFromBuilders(TUniForm::StaticClass());
    }
    TForm::AfterConstruction();
}

void TUniForm::DefineProperties(TFiler* filer) {
    TForm::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

WideString TUniForm::Caption() { return uni::GetControlWideText(this); }
void TUniForm::SetCaption(const WideString& value) { uni::SetControlWideText(this, value); }
WideString TUniForm::Hint() { return uni::GetControlWideHint(this); }
void TUniForm::SetHint(const WideString& value) { uni::SetControlWideHint(this, value); }

void TUniForm::DoCreate() {
    const uni::TDefaultFormFont& font = uni::DefaultFormFont();
    if (font.UseDefaultFont) {
        Font()->SetName(font.Name);
        Font()->SetSize(font.Size);
    }
    TForm::DoCreate();
}

void TUniForm::CreateWindowHandle(const TCreateParams& params) {
    if (FormStyle() != fsMDIChild || Parent()) {
        TCreateParams copy = params;
        copy.ExStyle &= ~static_cast<DWORD>(WS_EX_LAYERED);
        uni::CreateWideWindow(this, copy, nullptr);
        ExcludeFormState(fsCreatedMDIChild);
        return;
    }
    TCustomForm* frame = Application ? Application->MainForm() : nullptr;
    if (!frame || frame == this || !frame->ClientHandle())
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    uni::CreateWideWindowWith(this, params, &::DefMDIChildProcW, [&](const wchar_t* className) {
        return ::CreateMDIWindowW(className, nullptr, params.Style & ~static_cast<DWORD>(WS_POPUP), params.X, params.Y,
                                  params.Width, params.Height, frame->ClientHandle(), params.WindowClass.hInstance,
                                  reinterpret_cast<LPARAM>(params.Param));
    });
    IncludeFormState(fsCreatedMDIChild);
}

namespace {

// Flat scroll bars a window may have been given are let go before the window: looked up at run time, since
// not every import library of the common controls lists the entry.
void UninitializeFlatScrollBars(HWND wnd) {
    using Fn = HRESULT(WINAPI*)(HWND);
    HMODULE comctl = ::GetModuleHandleA("comctl32.dll");
    if (!comctl) return;
    if (auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(comctl, "UninitializeFlatSB"))))
        fn(wnd);
}

}  // namespace

void TUniForm::DestroyWindowHandle() {
    if (HWND wnd = WindowHandle()) UninitializeFlatScrollBars(wnd);
    TForm::DestroyWindowHandle();
}

void TUniForm::DefaultHandler(TMessage& message) {
    HWND wnd = WindowHandle();
    if (wnd && ClientHandle()) {
        message.Result = message.Msg == WM_SIZE
                             ? ::DefWindowProcW(wnd, message.Msg, message.WParam, message.LParam)
                             : ::DefFrameProcW(wnd, ClientHandle(), message.Msg, message.WParam, message.LParam);
    } else if (wnd && FormState().Contains(fsCreatedMDIChild)) {
        // Through the Unicode window's default procedure, which ends at DefMDIChildProcW.
        TScrollingWinControl::DefaultHandler(message);
    } else {
        TForm::DefaultHandler(message);
    }
    // The frame procedure is not the window's default procedure: the window is given back its own here.
    if (message.Msg == WM_DESTROY && uni::DestroyWindowMessage()) Perform(uni::DestroyWindowMessage());
}

void TUniForm::WndProc(TMessage& message) {
    // The system's keyboard-cue state is not the library's business: left as it is.
    if (message.Msg == WM_UPDATEUISTATE) {
        message.Result = 0;
        return;
    }
    TForm::WndProc(message);
}

int TUniForm::ShowModal() {
    if (Parent()) SetPopupParent(GetParentForm(Parent()));
    return TForm::ShowModal();
}

void TUniForm::UpdateActions() {
    TForm::UpdateActions();
    if (UniApplication) UniApplication->SyncWideHint();
}

void* TUniForm::CreateDockManager() {
    if (DockSite() && UseDockManager()) HandleNeeded();
    return TForm::CreateDockManager();
}

void TUniForm::WMMenuSelect(TMessage& message) {
    DispatchInherited<TUniForm>(this, message);
    TMainMenu* menu = Menu();
    if (!menu || !UniApplication) return;
    TMenuItem* item = menu->SelectedItem(message.WParam, message.LParam);
    UniApplication->SetHint(item ? uni::LongWideHint(uni::MenuItemWideHint(item)) : WideString());
}

namespace uni {

namespace {
TMenuItemWideHintReader g_menuHintReader = nullptr;
}

void SetMenuItemWideHintReader(TMenuItemWideHintReader reader) { g_menuHintReader = reader; }

WideString MenuItemWideHint(TMenuItem* item) {
    return g_menuHintReader ? g_menuHintReader(item) : FromAnsi(item->Hint());
}

}  // namespace uni

void TUniForm::ActionChange(TObject* sender, bool checkDefaults) {
    uni::ApplyWideActionTexts(this, sender, checkDefaults);
    TForm::ActionChange(sender, checkDefaults);
}

TControlActionLinkClass TUniForm::GetActionLinkClass() { return uni::WideActionLinkClassFor(this); }
