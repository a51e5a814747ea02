// The dockable panel at the right of the main window into which the tools put their option frames, with a
// toolbar frame at its top for the tool buttons and an item in the View menu that shows and hides it. Its place
// and size are kept in the state file as a 47-byte record (app/core/KelvoPanelPosition.h).
#pragma once
#include <cstdint>

#include "app/win/TKelvoModuleWithControls.h"

class TKelvoFrame;
class TKelvoToolFrame;
class TMainForm;
class TSkinDockablePanel;
class TSkinItem;
class TSkinToolbar;

class TKelvoToolPanelModule : public TKelvoModuleWithControls {
    CLASSLIB_COMPONENT(TKelvoToolPanelModule, TKelvoModuleWithControls)

    // Builds the panel in the program's main window (Application's main form, a TMainForm).
    explicit TKelvoToolPanelModule(TComponent* owner);
    // The same in the given main window.
    TKelvoToolPanelModule(TComponent* owner, TMainForm* mainForm);

    // A frame of class T owned by the module that fills the panel below the toolbar frame and scrolls when the
    // panel is smaller. When it cannot be made or placed, nothing of it is left and the error passes on.
    template <class T>
    T* AddToolFrame();

    void ToggleVisible(TObject* sender);
    bool GetPanelVisible() const;
    void SetPanelVisible(bool value);
    // Fixes the panel's docked width at width (it can no longer be resized by the user); a width below the
    // panel's current minimum client width is ignored, so the panel only grows this way.
    void SetPanelWidth(int width);

    void Localize() override;
    void UpdateState() override;
    // Node 1, {9FC124C8-2014-4832-8878-3489538D623F}: item 1 the 47-byte record.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;

    TSkinDockablePanel* Panel = nullptr;
    TSkinToolbar* Toolbar = nullptr;
    TSkinItem* VisibleMenuItem = nullptr;
    TKelvoToolFrame* TopFrame = nullptr;

private:
    // Puts a new frame into the panel below the toolbar frame.
    void PlaceToolFrame(TKelvoFrame* frame);

    TMainForm* mainForm_;
};

template <class T>
T* TKelvoToolPanelModule::AddToolFrame() {
    TObjectPtr<T> frame = MakeObject<T>(this);
    PlaceToolFrame(frame.get());
    return frame.release();
}
