// The program's main window: an empty shell of dock sites, a menu bar and a status bar. Every feature module
// adds its own menu items, toolbars, tool buttons, dockable panels and button images through the operations
// here. The window owns the Language submenu, keeps its placement and the chosen language in the state file,
// and accepts files dropped from the shell.
#pragma once
#include <cstdint>

#include "app/win/TKelvoForm.h"
#include "classlib/core/Method.h"
#include "classlib/core/TShortCut.h"

class TCustomImageList;
class TImageList;
class TSkinDock;
class TSkinDockablePanel;
class TSkinItem;
class TSkinMultiDock;
class TSkinSeparatorItem;
class TSkinStatusBar;
class TSkinSubmenuItem;
class TSkinToolbar;
class TTBCustomItem;

using TKelvoDropFileEvent = Method<void(const WideString& fileName)>;

class TMainForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TMainForm, TKelvoForm)
    CLASSLIB_MESSAGES(TMainForm, CLASSLIB_ON(WM_DROPFILES, &TMainForm::WMDropFiles),
                      CLASSLIB_ON(WM_SYSCOMMAND, &TMainForm::WMSysCommand))

    explicit TMainForm(TComponent* owner);
    // The builder that makes the form's components; registered once before the first main form is made.
    static void RegisterBuilder();

    // A new item of parent (nullptr: the menu bar), inserted before `before` when that is one of parent's
    // items, else appended; its images are the shared list.
    TSkinItem* AddMenuItem(const WideString& caption, TShortCut shortCut, TTBCustomItem* before, TTBCustomItem* parent,
                           std::int32_t imageIndex, TNotifyEvent click);
    TSkinSubmenuItem* AddSubmenu(const WideString& caption, TTBCustomItem* parent, TTBCustomItem* before);
    TSkinSeparatorItem* AddSeparator(TTBCustomItem* parent, TTBCustomItem* before);
    // A toolbar in the top dock with the shared images, and its show-and-hide item in View > Toolbars.
    TSkinToolbar* AddToolbar(const WideString& caption);
    // A button of class T on the toolbar: caption and hint are the caption, inserted before `before` when that
    // is one of the toolbar's items, else appended. When a step fails the half-made button is freed and the
    // error passes on.
    template <class T>
    T* AddToolButton(TSkinToolbar* toolbar, TCustomImageList* images, TTBCustomItem* before, const WideString& caption,
                     std::int32_t imageIndex, TNotifyEvent click);
    // A dockable panel the form owns; its module places it.
    TSkinDockablePanel* CreateDockablePanel();
    // Adds the program's bitmap resource of that name to the shared images, its pixel (0, 0) transparent, and
    // its "<name>Disabled" twin to their disabled images when the list has such; the new image's index, or -1
    // when there is no such resource or it cannot be added.
    std::int32_t LoadImage(const AnsiString& name);
    // The images every menu item, toolbar and button made here use: the start-up module's list when it set one,
    // else DefaultImages.
    TCustomImageList* GetImages() const;
    void SetImages(TCustomImageList* images) { sharedImages_ = images; }
    // The start-up module's list, taken by every main window made while it is set (null: none).
    static void SetGlobalImages(TCustomImageList* images);

    void Localize() override;
    // Fills the Language submenu, then the inherited registration (which captions the form at once).
    void Initialize() override;
    void UpdateState() override;
    // Node 1 (KelvoMainWindowState.h): the placement and the language, each used only when valid.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;

    // Closes the form, which ends the program.
    void ExitMenuItemClick(TObject* sender);

    // Called with the first dropped file's name when that file exists.
    TKelvoDropFileEvent OnDropFile;
    // Called on every idle pass.
    TNotifyEvent OnUpdate;

    // The form's components (made by the builder).
    TSkinDock* TopDock = nullptr;
    TSkinDock* RightDock = nullptr;
    TSkinDock* LeftDock = nullptr;
    TSkinDock* BottomDock = nullptr;
    TSkinMultiDock* TopMultiDock = nullptr;
    TSkinMultiDock* RightMultiDock = nullptr;
    TSkinMultiDock* LeftMultiDock = nullptr;
    TSkinMultiDock* BottomMultiDock = nullptr;
    TSkinToolbar* Menu = nullptr;
    TSkinSubmenuItem* FileMenuItem = nullptr;
    TSkinSeparatorItem* FileMenuSeparator = nullptr;
    TSkinItem* ExitMenuItem = nullptr;
    TSkinSubmenuItem* ViewMenuItem = nullptr;
    TSkinSubmenuItem* ToolbarsMenuItem = nullptr;
    TSkinSeparatorItem* ViewMenuSeparator = nullptr;
    TSkinSubmenuItem* LanguageMenuItem = nullptr;
    TSkinSubmenuItem* HelpMenuItem = nullptr;
    TSkinStatusBar* StatusBar = nullptr;
    TImageList* DefaultImages = nullptr;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    static void Build(TComponent* root);
    // Puts item among parent's items before `before`, or at the end when `before` is not one of them.
    static void Place(TTBCustomItem* parent, TTBCustomItem* before, TTBCustomItem* item);
    TTBCustomItem* MenuItems() const;
    static TTBCustomItem* ToolbarItems(TSkinToolbar* toolbar);
    void LanguageClick(TObject* sender);
    // Re-captions every show-and-hide item of View > Toolbars with its toolbar's current caption.
    void RecaptionToolbarToggles();
    void WMDropFiles(TMessage& message);
    void WMSysCommand(TMessage& message);

    TCustomImageList* sharedImages_ = nullptr;
};

template <class T>
T* TMainForm::AddToolButton(TSkinToolbar* toolbar, TCustomImageList* images, TTBCustomItem* before,
                            const WideString& caption, std::int32_t imageIndex, TNotifyEvent click) {
    TObjectPtr<T> item = MakeObject<T>(toolbar);
    item->OnClick = click;
    item->SetImages(images);
    item->SetImageIndex(imageIndex);
    item->SetCaption(caption);
    item->SetHint(caption);
    Place(ToolbarItems(toolbar), before, item.get());
    return item.release();
}
