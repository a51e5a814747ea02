#include "unicode/win/TUniTrackBar.h"

void TUniTrackBar::CreateWindowHandle(const TCreateParams& params) {
    TUniWindowed::CreateWindowHandle(params);
    uni::UseUnicodeNotifications(this);
}
