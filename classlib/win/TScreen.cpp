#include "classlib/win/TScreen.h"

#include <algorithm>
#include <unordered_map>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/TStringList.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TDataModule.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WindowDC.h"

TScreen* Screen = nullptr;

namespace {

// The system cursor behind each built-in shape.
LPCSTR SystemCursorOf(int id) {
    switch (id) {
        case crArrow: return reinterpret_cast<LPCSTR>(IDC_ARROW);
        case crCross: return reinterpret_cast<LPCSTR>(IDC_CROSS);
        case crIBeam: return reinterpret_cast<LPCSTR>(IDC_IBEAM);
        case crSizeNESW: return reinterpret_cast<LPCSTR>(IDC_SIZENESW);
        case crSizeNS: return reinterpret_cast<LPCSTR>(IDC_SIZENS);
        case crSizeNWSE: return reinterpret_cast<LPCSTR>(IDC_SIZENWSE);
        case crSizeWE: return reinterpret_cast<LPCSTR>(IDC_SIZEWE);
        case crUpArrow: return reinterpret_cast<LPCSTR>(IDC_UPARROW);
        case crHourGlass: return reinterpret_cast<LPCSTR>(IDC_WAIT);
        case crNo: return reinterpret_cast<LPCSTR>(IDC_NO);
        case crAppStart: return reinterpret_cast<LPCSTR>(IDC_APPSTARTING);
        case crHelp: return reinterpret_cast<LPCSTR>(IDC_HELP);
        case crHandPoint: return reinterpret_cast<LPCSTR>(IDC_HAND);
        case crSizeAll: return reinterpret_cast<LPCSTR>(IDC_SIZEALL);
        default: return nullptr;
    }
}

int CALLBACK AddFontFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
    try {
        // Faces for vertical writing ("@Name") are the same fonts turned.
        if (font->lfFaceName[0] != '@') reinterpret_cast<TStrings*>(data)->Add(font->lfFaceName);
    } catch (...) {
        HandleCallbackException(nullptr);
        return 0;
    }
    return 1;
}

void AssignLogFont(TFont* font, const LOGFONTA& lf) {
    font->SetName(AnsiString(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)));
    font->SetHeight(lf.lfHeight);
    TFontStyles style;
    if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (lf.lfItalic) style.Include(fsItalic);
    if (lf.lfUnderline) style.Include(fsUnderline);
    if (lf.lfStrikeOut) style.Include(fsStrikeOut);
    font->SetStyle(style);
    font->SetCharset(lf.lfCharSet);
}

}  // namespace

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
    if (const TWindowDC dc; dc) pixelsPerInch_ = ::GetDeviceCaps(dc.Get(), LOGPIXELSY);
    hintFont_ = MakeObject<TFont>();
    menuFont_ = MakeObject<TFont>();
    iconFont_ = MakeObject<TFont>();
    UpdateMetricFonts();
}

TScreen::~TScreen() = default;

// ---- forms and data modules ----

std::vector<TCustomForm*> TScreen::CustomFormsInZOrder() const {
    // Rank of each top-level window in the system's z-order, topmost first.
    std::unordered_map<HWND, int> rank;
    int n = 0;
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) rank.emplace(w, n++);
    auto rankOf = [&](TCustomForm* form) {
        if (!form->HandleAllocated()) return n;
        HWND root = ::GetAncestor(form->WindowHandle(), GA_ROOT);
        auto it = rank.find(root ? root : form->WindowHandle());
        return it == rank.end() ? n : it->second;
    };
    std::vector<std::pair<int, TCustomForm*>> keyed;
    keyed.reserve(forms_.size());
    for (TCustomForm* form : forms_) keyed.emplace_back(rankOf(form), form);
    // Stable: forms without a window, and forms inside the same top-level window, keep their order.
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TCustomForm*> result;
    result.reserve(keyed.size());
    for (const auto& k : keyed) result.push_back(k.second);
    return result;
}

int TScreen::CustomFormCount() const { return static_cast<int>(forms_.size()); }

bool TScreen::IsCustomForm(const TCustomForm* form) const {
    return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

TCustomForm* TScreen::CustomForms(int index) const {
    if (index < 0 || index >= CustomFormCount()) throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
    return CustomFormsInZOrder()[static_cast<std::size_t>(index)];
}

int TScreen::FormCount() const {
    return static_cast<int>(
        std::count_if(forms_.begin(), forms_.end(), [](TCustomForm* f) { return dynamic_cast<TForm*>(f) != nullptr; }));
}

TForm* TScreen::Forms(int index) const {
    if (index >= 0) {
        int i = 0;
        for (TCustomForm* form : CustomFormsInZOrder()) {
            auto* f = dynamic_cast<TForm*>(form);
            if (f && i++ == index) return f;
        }
    }
    throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
}

TDataModule* TScreen::DataModules(int index) const {
    if (index < 0 || index >= DataModuleCount()) throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
    return dataModules_[static_cast<std::size_t>(index)];
}

void TScreen::AddForm(TCustomForm* form) {
    if (!form || std::find(forms_.begin(), forms_.end(), form) != forms_.end()) return;
    forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(forms_, form);
    if (form == activeCustomForm_) SetFocusedForm(nullptr, nullptr);
}

void TScreen::AddDataModule(TDataModule* dataModule) {
    if (!dataModule || std::find(dataModules_.begin(), dataModules_.end(), dataModule) != dataModules_.end()) return;
    dataModules_.push_back(dataModule);
}

void TScreen::RemoveDataModule(TDataModule* dataModule) { std::erase(dataModules_, dataModule); }

void TScreen::SetFocusedForm(TCustomForm* form, TWinControl* control) {
    const bool formChanged = form != activeCustomForm_;
    const bool controlChanged = control != activeControl_;
    if (formChanged) {
        if (activeCustomForm_) RemoveFreeNotification(activeCustomForm_);
        activeCustomForm_ = form;
        if (form) FreeNotification(form);
    }
    if (controlChanged) {
        if (activeControl_ && activeControl_ != activeCustomForm_) RemoveFreeNotification(activeControl_);
        activeControl_ = control;
        if (control) FreeNotification(control);
    }
    if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
    if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
}

TForm* TScreen::ActiveForm() const { return dynamic_cast<TForm*>(activeCustomForm_); }

void TScreen::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == activeControl_) activeControl_ = nullptr;
    if (component == activeCustomForm_) activeCustomForm_ = nullptr;
}

// ---- cursors ----

void TScreen::SetCursor(TCursor value) {
    if (cursor_ == value) return;
    cursor_ = value;
    if (value != crDefault) {
        ::SetCursor(Cursors(value));
        return;
    }
    // Back to the controls' own shapes: let the window under the pointer choose again.
    POINT p{};
    if (!::GetCursorPos(&p)) return;
    HWND wnd = ::WindowFromPoint(p);
    if (!wnd || ::GetWindowThreadProcessId(wnd, nullptr) != ::GetCurrentThreadId()) return;
    const LRESULT hit = ::SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    ::SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
}

HCURSOR TScreen::Cursors(int id) const {
    if (id == crNone) return nullptr;
    auto it = cursors_.find(id);
    if (it != cursors_.end()) return it->second;
    if (LPCSTR system = SystemCursorOf(id)) {
        if (HCURSOR c = ::LoadCursorA(nullptr, system)) return c;
    }
    // crDefault and unknown ids: the arrow.
    return ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

void TScreen::SetCursors(int id, HCURSOR cursor) {
    if (cursor)
        cursors_[id] = cursor;
    else
        cursors_.erase(id);
    if (id == cursor_ && id != crDefault) ::SetCursor(Cursors(id));
}

// ---- fonts ----

TStrings* TScreen::Fonts() {
    if (!fonts_) {
        auto list = MakeObject<TStringList>();
        list->SetSorted(true);
        list->SetDuplicates(dupIgnore);
        if (const TWindowDC dc; dc) {
            LOGFONTA lf{};
            lf.lfCharSet = DEFAULT_CHARSET;
            ::EnumFontFamiliesExA(dc.Get(), &lf, &AddFontFace, reinterpret_cast<LPARAM>(list.get()), 0);
        }
        fonts_ = std::move(list);
    }
    return fonts_.get();
}

void TScreen::UpdateMetricFonts() {
    // The structure as the oldest systems know it (340 bytes) first; newer systems also take the larger size
    // with the padded border width.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    bool ok = ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0) != FALSE;
    if (!ok) {
        metrics = NONCLIENTMETRICSA{};
        metrics.cbSize = sizeof(metrics);
        ok = ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE;
    }
    // Where the system gives no answer the fonts keep their defaults.
    if (ok) {
        AssignLogFont(hintFont_.get(), metrics.lfStatusFont);
        AssignLogFont(menuFont_.get(), metrics.lfMenuFont);
    }
    hintFont_->SetColor(clInfoText);
    LOGFONTA icon{};
    if (::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0)) AssignLogFont(iconFont_.get(), icon);
}

// ---- metrics ----

int TScreen::Width() const { return ::GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return ::GetSystemMetrics(SM_CYSCREEN); }
int TScreen::DesktopLeft() const { return ::GetSystemMetrics(SM_XVIRTUALSCREEN); }
int TScreen::DesktopTop() const { return ::GetSystemMetrics(SM_YVIRTUALSCREEN); }
int TScreen::DesktopWidth() const { return ::GetSystemMetrics(SM_CXVIRTUALSCREEN); }
int TScreen::DesktopHeight() const { return ::GetSystemMetrics(SM_CYVIRTUALSCREEN); }

TRect TScreen::DesktopRect() const {
    return TRect{DesktopLeft(), DesktopTop(), DesktopLeft() + DesktopWidth(), DesktopTop() + DesktopHeight()};
}

TRect TScreen::WorkAreaRect() const {
    RECT r{};
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return TRect{0, 0, Width(), Height()};
    return TRect{r.left, r.top, r.right, r.bottom};
}
