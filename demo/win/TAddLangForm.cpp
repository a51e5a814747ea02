#include "demo/win/TAddLangForm.h"

#include "classlib/core/FormBuilder.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniLabel.h"

TAddLangForm::TAddLangForm(TComponent* owner) : TKelvoForm(owner) {}

void TAddLangForm::RegisterBuilder() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterFormBuilder(StaticClass(), &TAddLangForm::Build);
}

void TAddLangForm::Build(TComponent* root) {
    auto* form = static_cast<TAddLangForm*>(root);
    form->SetCaption(u"Add Language");
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poMainFormCenter);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-11);
    form->HandleNeeded();
    form->SetClientWidth(220);
    form->SetClientHeight(72);

    form->LangIdLabel = Create<TUniLabel>(form);
    form->LangIdLabel->SetParent(form);
    form->LangIdLabel->SetBounds(8, 12, 60, 16);
    form->LangIdLabel->SetCaption(u"LangID:");
    form->LangIdEdit = Create<TUniEdit>(form);
    form->LangIdEdit->SetName("LangIdEdit");
    form->LangIdEdit->SetParent(form);
    form->LangIdEdit->SetBounds(72, 8, 140, 21);

    form->OkButton = Create<TUniButton>(form);
    form->OkButton->SetParent(form);
    form->OkButton->SetBounds(56, 40, 75, 25);
    form->OkButton->SetCaption(u"OK");
    form->OkButton->SetModalResult(mrOk);
    form->OkButton->SetDefault(true);
    form->CancelButton = Create<TUniButton>(form);
    form->CancelButton->SetParent(form);
    form->CancelButton->SetBounds(137, 40, 75, 25);
    form->CancelButton->SetCaption(u"Cancel");
    form->CancelButton->SetModalResult(mrCancel);
    form->CancelButton->SetCancel(true);
    form->SetActiveControl(form->LangIdEdit);
}
