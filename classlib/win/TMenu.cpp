#include "classlib/win/TMenu.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TWinControl.h"
#include "classlib/win/WindowDC.h"

namespace {

TMenuItem* FindIn(TMenuItem* parent, UINT value, TFindItemKind kind) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        switch (kind) {
            case fkCommand:
                if (item->Command() == value) return item;
                break;
            case fkHandle:
                if (item->HandleAllocated() &&
                    static_cast<UINT>(reinterpret_cast<std::uintptr_t>(item->Handle())) == value)
                    return item;
                break;
            case fkShortCut:
                if (item->ShortCut() == value) return item;
                break;
        }
        if (TMenuItem* found = FindIn(item, value, kind)) return found;
    }
    return nullptr;
}

// The first item under parent (depth-first, through enabled submenus only) with the shortcut that is
// enabled once its action had its say; it is clicked.
bool ClickShortCut(TMenuItem* parent, TShortCut shortCut) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (item->ShortCut() == shortCut) {
            item->InitiateAction();
            if (item->Enabled()) {
                item->Click();
                return true;
            }
        }
        if (item->Enabled() && item->Count() > 0 && ClickShortCut(item, shortCut)) return true;
    }
    return false;
}

// The screen's menu font on the canvas (the system's own before the screen object exists).
void UseMenuFont(TCanvas& canvas) {
    if (Screen && Screen->MenuFont()) {
        canvas.Font()->Assign(Screen->MenuFont());
        return;
    }
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        canvas.Font()->SetLogFont(metrics.lfMenuFont);
}

TOwnerDrawState DrawStateOf(UINT itemState) {
    static constexpr struct {
        UINT flag;
        TOwnerDrawStateFlag state;
    } kStates[] = {{ODS_SELECTED, odSelected},      {ODS_GRAYED, odGrayed},     {ODS_DISABLED, odDisabled},
                   {ODS_CHECKED, odChecked},        {ODS_FOCUS, odFocused},     {ODS_DEFAULT, odDefault},
                   {ODS_HOTLIGHT, odHotLight},      {ODS_INACTIVE, odInactive}, {ODS_NOACCEL, odNoAccel},
                   {ODS_NOFOCUSRECT, odNoFocusRect}};
    TOwnerDrawState state;
    for (const auto& s : kStates) {
        if (itemState & s.flag) state.Include(s.state);
    }
    return state;
}

}  // namespace

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(MakeObject<TMenuItem>(nullptr)) {
    items_->menu_ = this;
    imageChangeLink_ = MakeObject<TChangeLink>();
    imageChangeLink_->OnChange = MakeMethod<&TMenu::ImageListChange>(this);
}

TMenu::~TMenu() {
    imageChangeLink_.reset();
    items_.reset();
}

void TMenu::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    if (images_) {
        images_->UnRegisterChanges(imageChangeLink_.get());
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageChangeLink_.get());
        images_->FreeNotification(this);
    }
    RebuildAll();
}

void TMenu::SetOwnerDraw(bool value) {
    if (ownerDraw_ == value) return;
    ownerDraw_ = value;
    RebuildAll();
}

void TMenu::ImageListChange(TObject*) { RebuildAll(); }

void TMenu::RebuildAll() {
    // Every native entry is written again; the items measure themselves anew when next shown.
    struct Walk {
        static void Rebuild(TMenuItem* item) {
            item->RebuildHandle();
            for (int i = 0; i < item->Count(); ++i) Rebuild(item->Items(i));
        }
    };
    Walk::Rebuild(items_.get());
    MenuChanged(this, nullptr, true);
}

HMENU TMenu::Handle() { return items_->Handle(); }

TMenuItem* TMenu::FindItem(UINT value, TFindItemKind kind) {
    if (kind == fkHandle && items_->HandleAllocated() &&
        static_cast<UINT>(reinterpret_cast<std::uintptr_t>(items_->Handle())) == value)
        return items_.get();
    return FindIn(items_.get(), value, kind);
}

TMenuItem* TMenu::FindItemByHandle(HMENU menu) {
    if (!menu) return nullptr;
    return FindItem(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(menu)), fkHandle);
}

TMenuItem* TMenu::SelectedItem(std::uintptr_t wParam, std::intptr_t lParam) {
    const UINT flags = HIWORD(wParam);
    const HMENU menu = reinterpret_cast<HMENU>(lParam);
    if (flags == 0xFFFF && !menu) return nullptr;
    if (flags & MF_POPUP) return menu ? FindItemByHandle(::GetSubMenu(menu, LOWORD(wParam))) : nullptr;
    return FindItem(LOWORD(wParam), fkCommand);
}

bool TMenu::DispatchCommand(std::uint16_t command) {
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU menu) {
    TMenuItem* item = FindItemByHandle(menu);
    if (!item) return false;
    for (int i = 0; i < item->Count(); ++i) item->Items(i)->InitiateAction();
    // Opening a submenu is no command: only the submenu item's own handler runs (to fill it, say).
    if (item != items_.get() && item->Enabled() && item->OnClick) item->OnClick(item);
    return true;
}

bool TMenu::IsShortCut(TMessage& message) {
    const TShortCut shortCut =
        ::ShortCut(static_cast<std::uint16_t>(message.WParam & 0xFFFF), KeyDataToShiftState(message.LParam));
    return shortCut != 0 && ClickShortCut(items_.get(), shortCut);
}

bool TMenu::DispatchDrawItem(const DRAWITEMSTRUCT& info) {
    if (info.CtlType != ODT_MENU) return false;
    TMenuItem* item = FindItem(info.itemID, fkCommand);
    if (!item) return false;
    // The DC goes back to the system as it came; the canvas (destroyed first) takes its objects out.
    const int saved = ::SaveDC(info.hDC);
    TScopeExit restore([&] {
        if (saved) ::RestoreDC(info.hDC, saved);
    });
    const TObjectPtr<TCanvas> canvas = MakeObject<TCanvas>();
    canvas->SetHandle(info.hDC);
    UseMenuFont(*canvas);
    const TRect rect{info.rcItem.left, info.rcItem.top, info.rcItem.right, info.rcItem.bottom};
    item->AdvancedDrawItem(canvas.get(), rect, DrawStateOf(info.itemState), item->IsMenuBarItem());
    return true;
}

bool TMenu::DispatchMeasureItem(MEASUREITEMSTRUCT& info) {
    if (info.CtlType != ODT_MENU) return false;
    TMenuItem* item = FindItem(info.itemID, fkCommand);
    if (!item) return false;
    const TWindowDC dc;  // the screen's, for measuring
    const TObjectPtr<TCanvas> canvas = MakeObject<TCanvas>();
    canvas->SetHandle(dc.Get());
    UseMenuFont(*canvas);
    int width = static_cast<int>(info.itemWidth);
    int height = static_cast<int>(info.itemHeight);
    item->MeasureItem(canvas.get(), width, height);
    info.itemWidth = static_cast<UINT>(std::max(width, 0));
    info.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

void TMenu::GetChildren(TGetChildProc proc, TComponent* root) { items_->GetChildren(proc, root); }

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && images_ && component == images_) SetImages(nullptr);
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged(this, nullptr, false);
}

void TMenu::MenuChanged(TObject*, TMenuItem*, bool) {}
