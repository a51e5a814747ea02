// The Unicode menu item: a wide caption and hint beside the library's 8-bit ones, and the wide caption (with
// its shortcut text) written into the native menu whenever the item changes. Linked to an action with wide
// texts it follows the action's wide caption and hint.
//
// Start-up: uni::RegisterUniMenusUnit() before classlib::Startup(): the popup menus then report wide hints
// (TUniPopupList) and the forms read the wide hints of menu items.
#pragma once
#include "classlib/win/TMenuActionLink.h"
#include "classlib/win/TMenuItem.h"

class TUniMenuItem : public TMenuItem {
    CLASSLIB_COMPONENT(TUniMenuItem, TMenuItem)
    explicit TUniMenuItem(TComponent* owner) : TMenuItem(owner) {}

    WideString Caption();
    void SetCaption(const WideString& value);
    using TMenuItem::SetCaption;
    WideString Hint();
    void SetHint(const WideString& value);
    using TMenuItem::SetHint;

    void DefineProperties(TFiler* filer) override;
    void Loaded() override;

protected:
    void MenuChanged(bool rebuild) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TActionLinkClass GetActionLinkClass() override;

private:
    // Writes the wide caption and shortcut text into the native entry (raises the system's error when the
    // entry exists but cannot be written).
    void WriteNativeCaption();

    WideString caption_;
    WideString hint_;
};

// The link of a Unicode menu item: the item follows the action's wide caption and hint while its own equal
// them.
class TUniMenuActionLink : public TMenuActionLink {
    CLASSLIB_COMPONENT(TUniMenuActionLink, TMenuActionLink)
    explicit TUniMenuActionLink(TObject* client) : TMenuActionLink(client) {}

    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    void SetCaption(const AnsiString& value) override;
    void SetHint(const AnsiString& value) override;
};

namespace uni {

// The wide hint of a Unicode menu item, else the 8-bit hint widened.
WideString MenuItemHintW(TMenuItem* item);

inline constexpr int UniMenusUnitOrder = 310;
// Installs a TUniPopupList in place of the library's popup list, and the wide hint reader of menu items.
void RegisterUniMenusUnit();

}  // namespace uni
