// Native builds have no device contexts: the painting calls of the imaging layer fail there. The Windows
// painters are in imaging/win.
#ifndef _WIN32

#include "imaging/core/LBitmap.h"

int L_PaintDC(TLDeviceContext, const TLBitmapHandle*, const TRect*, const TRect*, const TRect*, const TRect*,
              std::uint32_t) {
    return L_ERROR_NO_DEVICE;
}

int L_PrintBitmapExt(TLDeviceContext, const TLBitmapHandle*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                     int) {
    return L_ERROR_NO_DEVICE;
}

#endif
