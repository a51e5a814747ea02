// The Unicode form: the base of every form of the program. Its window is a Unicode window (wide caption and
// hint), it is built by the form builders registered for its class and the classes between it and TUniForm,
// and it takes the layer's default form font before OnCreate.
#pragma once
#include "classlib/core/Types.h"
#include "classlib/win/TCustomForm.h"

class TMenuItem;

class TUniForm : public TForm {
    CLASSLIB_COMPONENT(TUniForm, TForm)
    CLASSLIB_MESSAGES(TUniForm, CLASSLIB_ON(WM_MENUSELECT, &TUniForm::WMMenuSelect))

    // Built by the builders of the actual class and of its bases below TUniForm, base first; a class derived
    // from TUniForm with none raises EResNotFound "Resource %s not found".
    explicit TUniForm(TComponent* owner);
    // An empty form: no builders run.
    TUniForm(TComponent* owner, TNoBuilders);

    void AfterConstruction() override;
    void DefineProperties(TFiler* filer) override;

    WideString Caption();
    void SetCaption(const WideString& value);
    WideString Hint();
    void SetHint(const WideString& value);

    // The popup parent of a form placed on a control follows that control's form; then the form shows modally.
    int ShowModal() override;
    // The library's action updates, then the application's wide hint follows the 8-bit one.
    void UpdateActions() override;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWindowHandle() override;

protected:
    // The wide caption and hint of an action with wide texts first, then the library's own values.
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TControlActionLinkClass GetActionLinkClass() override;
    void DoCreate() override;
    void* CreateDockManager() override;
    void WMMenuSelect(TMessage& message);

private:
    bool buildPending_ = false;
};

namespace uni {

// The wide hint of a menu item: the 8-bit hint widened, unless the Unicode menu items installed their reader.
using TMenuItemWideHintReader = WideString (*)(TMenuItem* item);
void SetMenuItemWideHintReader(TMenuItemWideHintReader reader);
WideString MenuItemWideHint(TMenuItem* item);

}  // namespace uni
