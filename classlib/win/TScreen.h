// The screen: the program's forms and data modules, the active form and control, mouse pointer shapes, the
// installed font names, the system's hint, menu and icon fonts, and the display's metrics.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/TColor.h"  // before the system headers, whose colour macros share its names
#include "classlib/core/TComponent.h"
#include "classlib/win/Win32.h"

class TCustomForm;
class TDataModule;
class TFont;
class TStringList;
class TForm;
class TStrings;
class TWinControl;

class TScreen : public TComponent {
    CLASSLIB_COMPONENT(TScreen, TComponent)

    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    // Forms in z-order, topmost first (from the system's window order at the time of the call; forms without
    // a window follow in the order they were made). Forms(i) lists the TForm descendants only.
    // Each indexed call reads the window order again: a loop over every form takes CustomFormsInZOrder() once
    // instead, which also stays the same when a handler in the loop raises another form.
    std::vector<TCustomForm*> CustomFormsInZOrder() const;
    int CustomFormCount() const;
    // Whether form is (still) one of the screen's forms.
    bool IsCustomForm(const TCustomForm* form) const;
    TCustomForm* CustomForms(int index) const;
    int FormCount() const;
    TForm* Forms(int index) const;
    int DataModuleCount() const { return static_cast<int>(dataModules_.size()); }
    TDataModule* DataModules(int index) const;

    // Bookkeeping called by forms and data modules.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void AddDataModule(TDataModule* dataModule);
    void RemoveDataModule(TDataModule* dataModule);
    // The form that became active and its focused control (either may be null).
    void SetFocusedForm(TCustomForm* form, TWinControl* control);

    TCustomForm* ActiveCustomForm() const { return activeCustomForm_; }
    // The active form when it is a TForm, else null.
    TForm* ActiveForm() const;
    TWinControl* ActiveControl() const { return activeControl_; }

    // A pointer shape that overrides every control's own while it is not crDefault; effective at once.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // The cursor of a shape id: the built-in shapes, shapes the program installed, and the arrow for unknown
    // ids. crNone gives no cursor. Installed cursors stay the caller's (shared resources need no freeing).
    HCURSOR Cursors(int id) const;
    void SetCursors(int id, HCURSOR cursor);

    // The installed font face names, sorted (read on first use).
    TStrings* Fonts();
    // The system's fonts for tool tips, menus and icon titles (from the non-client metrics).
    TFont* HintFont() const { return hintFont_.get(); }
    TFont* MenuFont() const { return menuFont_.get(); }
    TFont* IconFont() const { return iconFont_.get(); }
    // Reads the three fonts again (after a system setting change).
    void UpdateMetricFonts();

    int Width() const;
    int Height() const;
    // The virtual screen spanning every monitor.
    int DesktopLeft() const;
    int DesktopTop() const;
    int DesktopWidth() const;
    int DesktopHeight() const;
    TRect DesktopRect() const;
    // The primary monitor's area outside the task bar.
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    int PixelsPerInch() const { return pixelsPerInch_; }

    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

private:
    std::vector<TCustomForm*> forms_;
    std::vector<TDataModule*> dataModules_;
    TCustomForm* activeCustomForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TCursor cursor_ = crDefault;
    std::map<int, HCURSOR> cursors_;
    TObjectPtr<TStringList> fonts_;
    TObjectPtr<TFont> hintFont_;
    TObjectPtr<TFont> menuFont_;
    TObjectPtr<TFont> iconFont_;
    int pixelsPerInch_ = 96;
};

extern TScreen* Screen;
