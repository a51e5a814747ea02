#include "app/win/TKelvoForm.h"

#include "app/win/TKelvoApplication.h"

void TKelvoForm::WMDeferredCall(TMessage&) {
    if (KelvoApplication) KelvoApplication->RunPostponedCall();
}
