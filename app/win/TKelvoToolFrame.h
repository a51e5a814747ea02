// The frame at the top of the tool panel that holds the toolbar of the tool buttons. It stays 6 pixels taller
// than its toolbar, whatever the toolbar's rows.
#pragma once
#include "app/win/TKelvoFrame.h"

class TSkinToolbar;

class TKelvoToolFrame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TKelvoToolFrame, TKelvoFrame)

    explicit TKelvoToolFrame(TComponent* owner);
    // The builder that makes the frame's toolbar; registered once before the first frame is made.
    static void RegisterBuilder();

    TSkinToolbar* Toolbar = nullptr;

private:
    static void Build(TComponent* root);
    void ToolbarResize(TObject* sender);
};
