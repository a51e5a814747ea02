// Windows half of the image-list seam: a change link on the class library's image list.
#include "classlib/core/TObject.h"
#include "classlib/win/TCustomImageList.h"
#include "toolbar/core/ImageListWatch.h"

namespace {

class TChangeLinkWatch : public TTBImageListWatch {
public:
    TChangeLinkWatch(TCustomImageList* list, TNotifyEvent onChange) : list_(list), link_(MakeObject<TChangeLink>()) {
        link_->OnChange = onChange;
        list->RegisterChanges(link_.get());
    }
    // The link leaves the list as it goes (or finds it gone).
    TComponent* Component() const override { return list_; }
    int ImageWidth() const override { return list_->Width(); }
    int ImageHeight() const override { return list_->Height(); }

private:
    TCustomImageList* list_;
    TObjectPtr<TChangeLink> link_;
};

}  // namespace

std::unique_ptr<TTBImageListWatch> tb::detail::WatchImageList(TCustomImageList* list, TNotifyEvent onChange) {
    return std::make_unique<TChangeLinkWatch>(list, onChange);
}
