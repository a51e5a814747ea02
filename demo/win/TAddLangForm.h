// Add Language: a developer's dialog in English only; asks for the language id that names a new section of the edited
// demonstration script.
#pragma once
#include "app/win/TKelvoForm.h"

class TUniButton;
class TUniEdit;
class TUniLabel;

class TAddLangForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TAddLangForm, TKelvoForm)

    explicit TAddLangForm(TComponent* owner);
    static void RegisterBuilder();

    TUniLabel* LangIdLabel = nullptr;
    TUniEdit* LangIdEdit = nullptr;
    TUniButton* OkButton = nullptr;
    TUniButton* CancelButton = nullptr;

private:
    static void Build(TComponent* root);
};
