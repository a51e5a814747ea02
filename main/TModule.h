// The program's start-up data module: the shared image lists, and DataModuleCreate, the one place that makes
// every feature module and tool of the program, in the order their broadcasts and menus follow.
#pragma once
#include "classlib/win/TDataModule.h"

class TTBImageList;
class TImageList;

class TModule : public TDataModule {
    CLASSLIB_COMPONENT(TModule, TDataModule)

    explicit TModule(TComponent* owner);
    ~TModule() override;
    // Its builder: the two image lists; OnCreate is DataModuleCreate.
    static void RegisterBuilder();

    void DataModuleCreate(TObject* sender);

    // The program's glyphs (24 x 24, with greyed twins), shared by every menu and toolbar.
    TTBImageList* NewImageList = nullptr;
    // One transparent pixel: the image of text-only buttons.
    TImageList* ImageList1x1 = nullptr;

private:
    static void Build(TComponent* root);
};

namespace kelvo {

// Makes the start-up data module (the program's entry passes this to RunKelvoProgram).
void CreateStartupModule();

}  // namespace kelvo
