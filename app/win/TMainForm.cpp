#include "app/win/TMainForm.h"

#include <shellapi.h>

#include <utility>

#include "app/core/KelvoMainWindowState.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoDroppedFiles.h"
#include "app/win/KelvoWindowPlacement.h"
#include "app/win/TKelvoApplication.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/core/ShortCutModifiers.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TWinControl.h"
#include "classlib/core/Messages.h"
#include "themed/win/TSkinDock.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinVisibilityToggleItem.h"
#include "themed/win/TSkinMultiDock.h"
#include "themed/win/TSkinStatusBar.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBImageList.h"
#include "unicode/win/WideFiles.h"

namespace {

// The pictures of the program's resources are 24 x 24.
constexpr int kImageSize = 24;

template <class T>
T* Make(TMainForm* form, const char* name) {
    T* component = Create<T>(form);
    component->SetName(name);
    return component;
}

template <class T>
T* MakeItem(TMainForm* form, TTBCustomItem* parent, const char* name, const WideString& caption) {
    T* item = Make<T>(form, name);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// Adds the bitmap resource to the list, masked by its pixel (0, 0).
void AddResourceMasked(TCustomImageList* images, const AnsiString& name) {
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->LoadFromResourceName(::GetModuleHandleW(nullptr), name);
    images->AddMasked(bitmap.get(), bitmap->Canvas()->Pixels(0, 0));
}

bool HasBitmapResource(const AnsiString& name) {
    return ::FindResourceA(::GetModuleHandleW(nullptr), name.c_str(), MAKEINTRESOURCEA(2)) != nullptr;
}

// Calls visit for every item below root, depth first.
template <class Visit>
void EachItem(TTBCustomItem* root, Visit visit) {
    for (int i = 0; i < root->Count(); ++i) {
        TTBCustomItem* item = root->Items(i);
        visit(item);
        EachItem(item, visit);
    }
}

}  // namespace

namespace {
TCustomImageList* globalImages = nullptr;
}  // namespace

TMainForm::TMainForm(TComponent* owner) : TKelvoForm(owner), sharedImages_(globalImages) {}

void TMainForm::SetGlobalImages(TCustomImageList* images) { globalImages = images; }

void TMainForm::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TMainForm::Build); }

void TMainForm::Build(TComponent* root) {
    auto* form = static_cast<TMainForm*>(root);
    form->SetCaption(u"Vantorel");
    form->SetClientWidth(534);
    form->SetClientHeight(458);
    form->SetColor(clAppWorkSpace);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-14);
    form->SetKeyPreview(true);
    form->SetPosition(poDefault);
    form->SetShowHint(true);

    form->DefaultImages = Make<TImageList>(form, "DefaultImages");
    form->DefaultImages->SetWidth(kImageSize);
    form->DefaultImages->SetHeight(kImageSize);

    // The status bar first: it stays below the bottom dock.
    form->StatusBar = Make<TSkinStatusBar>(form, "StatusBar");
    form->StatusBar->SetParentFont(false);
    form->StatusBar->SetParent(form);

    // Toolbar docks at the edges, the panels' multi-docks inside them.
    const struct {
        TSkinDock* TMainForm::*field;
        const char* name;
        TTBDockPosition position;
    } docks[] = {{&TMainForm::TopDock, "TopDock", dpTop},
                 {&TMainForm::RightDock, "RightDock", dpRight},
                 {&TMainForm::LeftDock, "LeftDock", dpLeft},
                 {&TMainForm::BottomDock, "BottomDock", dpBottom}};
    for (const auto& d : docks) {
        TSkinDock* dock = Make<TSkinDock>(form, d.name);
        dock->SetPosition(d.position);
        dock->SetParent(form);
        form->*d.field = dock;
    }
    const struct {
        TSkinMultiDock* TMainForm::*field;
        const char* name;
        TTBDockPosition position;
    } multiDocks[] = {{&TMainForm::TopMultiDock, "TopMultiDock", dpTop},
                      {&TMainForm::RightMultiDock, "RightMultiDock", dpRight},
                      {&TMainForm::LeftMultiDock, "LeftMultiDock", dpLeft},
                      {&TMainForm::BottomMultiDock, "BottomMultiDock", dpBottom}};
    for (const auto& d : multiDocks) {
        TSkinMultiDock* dock = Make<TSkinMultiDock>(form, d.name);
        dock->SetPosition(d.position);
        dock->SetLimitToOneRow(d.position == dpLeft || d.position == dpRight);
        dock->SetParent(form);
        form->*d.field = dock;
    }

    TSkinToolbar* menu = form->Menu = Make<TSkinToolbar>(form, "Menu");
    menu->SetCaption(u"Menu");
    menu->SetMenuBar(true);
    menu->SetFullSize(true);
    menu->SetProcessShortCuts(true);
    menu->SetShrinkMode(tbsmWrap);
    menu->SetCloseButton(false);
    menu->SetImages(form->GetImages());
    menu->SetCurrentDock(form->TopDock);

    TTBCustomItem* bar = menu->Items();
    form->FileMenuItem = MakeItem<TSkinSubmenuItem>(form, bar, "FileMenuItem", u"&File");
    form->FileMenuSeparator = MakeItem<TSkinSeparatorItem>(form, form->FileMenuItem, "FileMenuSeparator", u"");
    form->ExitMenuItem = MakeItem<TSkinItem>(form, form->FileMenuItem, "ExitMenuItem", u"E&xit");
    form->ExitMenuItem->OnClick = MakeMethod<&TMainForm::ExitMenuItemClick>(form);
    form->ViewMenuItem = MakeItem<TSkinSubmenuItem>(form, bar, "ViewMenuItem", u"&View");
    form->ToolbarsMenuItem = MakeItem<TSkinSubmenuItem>(form, form->ViewMenuItem, "ToolbarsMenuItem", u"&Toolbars");
    form->ViewMenuSeparator = MakeItem<TSkinSeparatorItem>(form, form->ViewMenuItem, "ViewMenuSeparator", u"");
    form->LanguageMenuItem = MakeItem<TSkinSubmenuItem>(form, form->ViewMenuItem, "LanguageMenuItem", u"&Language");
    form->HelpMenuItem = MakeItem<TSkinSubmenuItem>(form, bar, "HelpMenuItem", u"&Help");
}

TTBCustomItem* TMainForm::MenuItems() const { return Menu->Items(); }

TTBCustomItem* TMainForm::ToolbarItems(TSkinToolbar* toolbar) { return toolbar->Items(); }

void TMainForm::Place(TTBCustomItem* parent, TTBCustomItem* before, TTBCustomItem* item) {
    const int index = before ? parent->IndexOf(before) : -1;
    parent->Insert(index >= 0 ? index : parent->Count(), item);
}

TSkinItem* TMainForm::AddMenuItem(const WideString& caption, TShortCut shortCut, TTBCustomItem* before,
                                  TTBCustomItem* parent, std::int32_t imageIndex, TNotifyEvent click) {
    if (!parent) parent = MenuItems();
    TObjectPtr<TSkinItem> item = MakeObject<TSkinItem>(parent);
    item->SetCaption(caption);
    item->OnClick = click;
    item->SetShortCut(shortCut);
    item->SetImages(GetImages());
    item->SetImageIndex(imageIndex);
    Place(parent, before, item.get());
    return item.release();
}

TSkinSubmenuItem* TMainForm::AddSubmenu(const WideString& caption, TTBCustomItem* parent, TTBCustomItem* before) {
    if (!parent) parent = MenuItems();
    TObjectPtr<TSkinSubmenuItem> item = MakeObject<TSkinSubmenuItem>(parent);
    item->SetCaption(caption);
    item->SetImages(GetImages());
    Place(parent, before, item.get());
    return item.release();
}

TSkinSeparatorItem* TMainForm::AddSeparator(TTBCustomItem* parent, TTBCustomItem* before) {
    if (!parent) parent = MenuItems();
    TObjectPtr<TSkinSeparatorItem> item = MakeObject<TSkinSeparatorItem>(parent);
    Place(parent, before, item.get());
    return item.release();
}

TSkinToolbar* TMainForm::AddToolbar(const WideString& caption) {
    TObjectPtr<TSkinToolbar> toolbar = MakeObject<TSkinToolbar>(this);
    toolbar->SetCaption(caption);
    toolbar->SetImages(GetImages());
    toolbar->SetCurrentDock(TopDock);
    TObjectPtr<TSkinVisibilityToggleItem> toggle = MakeObject<TSkinVisibilityToggleItem>(ToolbarsMenuItem);
    toggle->SetControl(toolbar.get());
    toggle->SetCaption(caption);
    ToolbarsMenuItem->Add(toggle.release());
    return toolbar.release();
}

TSkinDockablePanel* TMainForm::CreateDockablePanel() { return Create<TSkinDockablePanel>(this); }

TCustomImageList* TMainForm::GetImages() const { return sharedImages_ ? sharedImages_ : DefaultImages; }

std::int32_t TMainForm::LoadImage(const AnsiString& name) {
    if (!HasBitmapResource(name)) return -1;
    try {
        TCustomImageList* images = GetImages();
        AddResourceMasked(images, name);
        // The disabled images keep the same indexes: without a greyed twin the image itself stands in.
        auto* toolbarImages = dynamic_cast<TTBCustomImageList*>(images);
        if (toolbarImages && toolbarImages->DisabledImages()) {
            const AnsiString disabled = name + "Disabled";
            AddResourceMasked(toolbarImages->DisabledImages(), HasBitmapResource(disabled) ? disabled : name);
        }
        return images->Count() - 1;
    } catch (...) {
        return -1;
    }
}

void TMainForm::Localize() {
    Menu->SetCaption(GetText(KelvoTextMenu, u"Menu"));
    FileMenuItem->SetCaption(GetText(KelvoTextFile, u"&File"));
    ExitMenuItem->SetCaption(GetText(KelvoTextExit, u"E&xit"));
    ViewMenuItem->SetCaption(GetText(KelvoTextView, u"&View"));
    ToolbarsMenuItem->SetCaption(GetText(KelvoTextToolbars, u"&Toolbars"));
    LanguageMenuItem->SetCaption(GetText(KelvoTextLanguage, u"&Language"));
    HelpMenuItem->SetCaption(GetText(KelvoTextHelp, u"&Help"));
    // Every shortcut text names the modifier keys in the language ("Strg+O" in German).
    SetShortCutModifierNames(WideToAnsi(GetText(KelvoTextShiftKey, u"Shift") + u"+"),
                             WideToAnsi(GetText(KelvoTextCtrlKey, u"Ctrl") + u"+"),
                             WideToAnsi(GetText(KelvoTextAltKey, u"Alt") + u"+"));
    for (int i = 0; i < LanguageMenuItem->Count(); ++i) {
        TTBCustomItem* item = LanguageMenuItem->Items(i);
        item->SetChecked(item->Tag() == GetCurrentLanguageId());
        WideString name = item->Caption();
        if (KelvoLocalizer) KelvoLocalizer->GetLanguageName(std::int32_t(item->Tag()), name);
        item->SetCaption(name);
    }
    // Toolbars of other modules take their new captions in those modules' own Localize, which may come later.
    KelvoApplication->PostponedCall(MakeMethod<&TMainForm::RecaptionToolbarToggles>(this));
}

void TMainForm::RecaptionToolbarToggles() {
    EachItem(ToolbarsMenuItem, [](TTBCustomItem* item) {
        if (auto* toggle = dynamic_cast<TSkinVisibilityToggleItem*>(item))
            if (auto* toolbar = dynamic_cast<TTBCustomDockableWindow*>(toggle->Control()))
                toggle->SetCaption(toolbar->Caption());
    });
}

void TMainForm::Initialize() {
    if (KelvoLocalizer) {
        for (int i = 0; i < KelvoLocalizer->LanguageCount(); ++i) {
            const TKelvoLanguage& language = KelvoLocalizer->Language(i);
            TObjectPtr<TSkinItem> item = MakeObject<TSkinItem>(LanguageMenuItem);
            item->SetCaption(language.Name);
            item->SetTag(language.Id);
            item->SetChecked(language.Id == GetCurrentLanguageId());
            item->OnClick = MakeMethod<&TMainForm::LanguageClick>(this);
            LanguageMenuItem->Add(item.release());
        }
    }
    TKelvoForm::Initialize();
}

void TMainForm::LanguageClick(TObject* sender) { SetLanguage(std::int32_t(static_cast<TComponent*>(sender)->Tag())); }

void TMainForm::UpdateState() {
    if (OnUpdate) OnUpdate(this);
}

void TMainForm::LoadState(TKelvoSDFReader& reader) {
    const TKelvoMainWindowState state = ReadMainWindowState(reader);
    if (state.Placement) kelvo::ApplyPlacement(*this, *state.Placement);
    if (state.LanguageId) SetLanguage(*state.LanguageId);
}

void TMainForm::SaveState(TKelvoSDFWriter& writer) {
    WriteMainWindowState(writer, kelvo::CurrentPlacement(*this), GetCurrentLanguageId());
}

void TMainForm::ExitMenuItemClick(TObject*) { Close(); }

void TMainForm::CreateWnd() {
    TKelvoForm::CreateWnd();
    ::DragAcceptFiles(Handle(), TRUE);
    // The program's icon in the title bar and the task bar (the class library gives it only to its hidden
    // application window).
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (const auto& [kind, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = ::GetSystemMetrics(metric);
        if (HANDLE icon = ::LoadImageW(instance, L"MAINICON", IMAGE_ICON, size, size, LR_SHARED))
            ::SendMessageW(Handle(), WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
}

void TMainForm::DestroyWnd() {
    ::DragAcceptFiles(Handle(), FALSE);
    TKelvoForm::DestroyWnd();
}

void TMainForm::WMDropFiles(TMessage& message) {
    const auto drop = reinterpret_cast<HDROP>(message.WParam);
    TScopeExit finish([drop] { ::DragFinish(drop); });
    message.Result = 0;
    const std::optional<WideString> name = kelvo::FirstDroppedFileName(drop);
    if (name && OnDropFile && uni::FileExistsW(*name)) OnDropFile(*name);
}

void TMainForm::WMSysCommand(TMessage& message) {
    if ((message.WParam & 0xFFF0) == SC_KEYMENU) {
        // A control that thinks the mouse is over it would stay highlighted behind the keyboard's menu.
        POINT cursor{};
        ::GetCursorPos(&cursor);
        if (TControl* control = FindDragTarget(TPoint{cursor.x, cursor.y}, true)) control->Perform(CM_MOUSELEAVE);
    }
    DispatchInherited<TMainForm>(this, message);
}
