#include "classlib/win/TGraphicsObject.h"

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}
