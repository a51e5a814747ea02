// The Unicode frame: the base of every tool frame of the program. Its window is a Unicode window with a wide
// hint; unlike the library's frames it fires OnCreate once it is built (errors pass on to the creator) and
// OnDestroy before it goes (errors go to the application's handler, since destruction cannot stop).
#pragma once
#include "classlib/core/Types.h"
#include "classlib/win/TCustomFrame.h"

class TUniCustomFrame : public TCustomFrame {
    CLASSLIB_COMPONENT(TUniCustomFrame, TCustomFrame)
    explicit TUniCustomFrame(TComponent* owner) : TCustomFrame(owner) {}

    void DefineProperties(TFiler* filer) override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    WideString Hint();
    void SetHint(const WideString& value);

protected:
    // The wide caption and hint of an action with wide texts first, then the library's own values.
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TControlActionLinkClass GetActionLinkClass() override;
    void CreateWindowHandle(const TCreateParams& params) override;
};

class TUniFrame : public TUniCustomFrame {
    CLASSLIB_COMPONENT(TUniFrame, TUniCustomFrame)
    explicit TUniFrame(TComponent* owner) : TUniCustomFrame(owner) {}
};
