// How an item follows the image lists it shows images from. The class library's image lists live in its
// Windows half, so the item tree reaches them through this seam: the Windows build answers with a change
// link on the list (toolbar/win/ImageListWatchWin.cpp); the native build has no image lists.
#pragma once
#include <memory>

#include "classlib/core/Method.h"

class TComponent;
class TCustomImageList;

// Watches one image list for one client while it exists.
class TTBImageListWatch {
public:
    virtual ~TTBImageListWatch() = default;
    // The list as a component, for free notification and comparison.
    virtual TComponent* Component() const = 0;
    virtual int ImageWidth() const = 0;
    virtual int ImageHeight() const = 0;
};

namespace tb::detail {
// A watch that calls onChange (with the list as sender) whenever the list changes. Natively this raises
// EInvalidOperation: there is no image list to watch.
std::unique_ptr<TTBImageListWatch> WatchImageList(TCustomImageList* list, TNotifyEvent onChange);
}  // namespace tb::detail
