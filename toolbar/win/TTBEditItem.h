// A toolbar or menu item with a caption and a text field. Clicking the field (or entering the item from the
// keyboard) edits the text in place in a real edit window (TTBEditItemViewer); the item's Text changes only
// when an edit is accepted (AcceptText), which OnAcceptText may veto or alter.
#pragma once
#include <cstdint>

#include "classlib/core/Method.h"
#include "classlib/core/TSet.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/core/TTBCustomItemActionLink.h"

class TTBEditItemViewer;

enum TTBEditItemOption { tboUseEditWhenVertical };
using TTBEditItemOptions = TSet<TTBEditItemOption>;
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
using TTBAcceptTextEvent = Method<void(TObject* sender, WideString& newText, bool& accept)>;

// No action class carries edit values, so a linked action supplies what every item takes from it.
class TTBEditItemActionLink : public TTBCustomItemActionLink {
    CLASSLIB_COMPONENT(TTBEditItemActionLink, TTBCustomItemActionLink)
    using TTBCustomItemActionLink::TTBCustomItemActionLink;
};

class TTBEditItem : public TTBCustomItem {
    CLASSLIB_COMPONENT(TTBEditItem, TTBCustomItem)

    explicit TTBEditItem(TComponent* owner);
    ~TTBEditItem() override;

    const WideString& Text() const { return text_; }
    // The case hook may adjust the text; a different text is stored, shown in a running edit and announced.
    void SetText(const WideString& value);
    const WideString& EditCaption() const { return editCaption_; }
    void SetEditCaption(const WideString& value);
    std::int32_t EditWidth() const { return editWidth_; }
    void SetEditWidth(std::int32_t value);
    TTBEditItemOptions EditOptions() const { return editOptions_; }
    void SetEditOptions(TTBEditItemOptions value);
    std::int32_t MaxLength() const { return maxLength_; }
    void SetMaxLength(std::int32_t value);
    TEditCharCase CharCase() const { return charCase_; }
    // The stored text takes the new case at once.
    void SetCharCase(TEditCharCase value);

    // A text left by clicking elsewhere (or by the focus leaving the field) is taken too; none here.
    virtual bool ExtendedAccept() const { return false; }
    // Asks OnAcceptText; sets the (possibly changed) text unless it was refused. Answers whether it was taken.
    bool AcceptText(WideString text);

    // The viewer editing the item while an edit runs (set by the viewer), else null.
    TTBEditItemViewer* EditingViewer() const { return editingViewer_; }
    void SetEditingViewer(TTBEditItemViewer* viewer) { editingViewer_ = viewer; }

    // The edit viewer, or the plain one in a vertical view without tboUseEditWhenVertical.
    TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) override;
    // "EditCaption" and "Text" as wide strings when not empty.
    void DefineProperties(TFiler* filer) override;

    TTBAcceptTextEvent OnAcceptText;

protected:
    // Whether the view shows the field (not in a vertical view unless tboUseEditWhenVertical).
    bool ShowsFieldIn(const TTBView* view) const;
    // Adjusts a new text before it is stored: the CharCase mapping.
    virtual void AdjustText(WideString& text);
    // After a new text was stored.
    virtual void TextChanged() {}
    TTBCustomItemActionLinkClass GetActionLinkClass() override;

private:
    WideString text_;
    WideString editCaption_;
    std::int32_t editWidth_ = 64;
    TTBEditItemOptions editOptions_;
    std::int32_t maxLength_ = 0;
    TEditCharCase charCase_ = ecNormal;
    TTBEditItemViewer* editingViewer_ = nullptr;
};
