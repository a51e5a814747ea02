#include "themed/win/TSkinStatusPanel.h"

#include "classlib/core/Exceptions.h"
#include "classlib/win/TWinControl.h"
#include "themed/win/TSkinStatusBar.h"

TSkinStatusPanel::TSkinStatusPanel(TCollection* collection) : TCollectionItem(nullptr) {
    fontSettings_ = MakeObject<TFontSettings>();
    fontSettings_->OnChange = MakeMethod<&TSkinStatusPanel::SettingsChanged>(this);
    // Joining lays the bar out, which reads this panel: only once it is whole.
    SetCollection(collection);
}

TSkinStatusPanel::~TSkinStatusPanel() = default;

TSkinCustomStatusBar* TSkinStatusPanel::StatusBar() const {
    auto* panels = dynamic_cast<TSkinStatusPanels*>(Collection());
    return panels ? panels->StatusBar() : nullptr;
}

namespace {
// Stores value and reports whether it changed.
template <class T>
bool Store(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}
}  // namespace

void TSkinStatusPanel::SetAlignment(TAlignment value) {
    if (Store(alignment_, value)) Changed(false);
}
void TSkinStatusPanel::SetCaption(const WideString& value) {
    if (Store(caption_, value)) Changed(false);
}
void TSkinStatusPanel::SetEnabled(bool value) {
    if (Store(enabled_, value)) Changed(false);
}
void TSkinStatusPanel::SetFramed(bool value) {
    if (Store(framed_, value)) Changed(true);  // a hosted control moves into or out of the frame
}
void TSkinStatusPanel::SetImageIndex(int value) {
    if (Store(imageIndex_, value)) Changed(false);
}
void TSkinStatusPanel::SetTextTruncation(TTextTruncation value) {
    if (Store(truncation_, value)) Changed(false);
}
// What decides the layout lays every panel out again.
void TSkinStatusPanel::SetSize(int value) {
    if (Store(size_, value)) Changed(true);
}
void TSkinStatusPanel::SetMaxSize(int value) {
    if (Store(maxSize_, value)) Changed(true);
}
void TSkinStatusPanel::SetStretchPriority(std::uint8_t value) {
    if (Store(stretchPriority_, value)) Changed(true);
}
void TSkinStatusPanel::SetViewPriority(std::uint8_t value) {
    if (Store(viewPriority_, value)) Changed(true);
}

void TSkinStatusPanel::SetControl(TWinControl* value) {
    if (control_ == value) return;
    TSkinCustomStatusBar* bar = StatusBar();
    if (value && bar) {
        for (TWinControl* p = bar; p; p = p->Parent())
            if (p == value) throw EInvalidOperation("Can't insert own parent");
        if (TSkinStatusPanel* other = bar->PanelOf(value)) other->control_ = nullptr;
    }
    TWinControl* previous = control_;
    control_ = value;
    if (value && bar) bar->PlaceControl(this, value);
    Changed(true);
    if (previous) previous->Perform(CM_SHOWINGCHANGED);
}

TSkinStatusPanels::TSkinStatusPanels(TSkinCustomStatusBar* bar)
    : TCollection(TCollectionItemClass::Of<TSkinStatusPanel>()), bar_(bar) {}

TPersistent* TSkinStatusPanels::GetOwner() { return bar_; }

void TSkinStatusPanels::Update(TCollectionItem* item) {
    if (!bar_) return;
    if (item) {
        bar_->InvalidatePanel(static_cast<TSkinStatusPanel*>(item));
        return;
    }
    bar_->ArrangePanels();
    bar_->Invalidate();
}
