// Native half of the image-list seam: the native class library has no image lists.
#ifndef _WIN32

#include "classlib/core/Exceptions.h"
#include "toolbar/core/ImageListWatch.h"

std::unique_ptr<TTBImageListWatch> tb::detail::WatchImageList(TCustomImageList*, TNotifyEvent) {
    throw EInvalidOperation("Image lists exist only in the Windows build");
}

#endif
