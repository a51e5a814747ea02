#include "classlib/win/TIcon.h"

#include "classlib/core/IconFormat.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TCanvas.h"

namespace {
HINSTANCE ModuleOrProgram(HINSTANCE instance) { return instance ? instance : ::GetModuleHandleA(nullptr); }

TSize IconSize(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return TSize{};
    TGdiHandle<HBITMAP> color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (color) {
        ::GetObjectA(color.Get(), sizeof(bm), &bm);
        return TSize{bm.bmWidth, bm.bmHeight};
    }
    // A monochrome icon keeps its AND and XOR masks one above the other.
    ::GetObjectA(mask.Get(), sizeof(bm), &bm);
    return TSize{bm.bmWidth, bm.bmHeight / 2};
}

[[noreturn]] void ResourceNotFound(const AnsiString& name) { throw EResNotFound("Resource " + name + " not found"); }
}  // namespace

TIcon::TIcon() = default;

TIcon::~TIcon() {
    if (icon_) ::DestroyIcon(icon_);
}

void TIcon::Reset(HICON icon, std::vector<Byte> fileData) {
    if (icon_ && icon_ != icon) ::DestroyIcon(icon_);
    icon_ = icon;
    TSize size = icon ? IconSize(icon) : TSize{};
    width_ = size.cx;
    height_ = size.cy;
    fileData_ = std::move(fileData);
    Changed(this);
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect) {
    if (!icon_ || !canvas) return;
    ::DrawIconEx(canvas->Handle(), rect.Left, rect.Top, icon_, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::SetWidth(int) { throw EInvalidGraphic("Cannot change the size of an icon"); }

void TIcon::SetHeight(int) { throw EInvalidGraphic("Cannot change the size of an icon"); }

void TIcon::SetHandle(HICON icon) {
    if (icon == icon_) return;
    Reset(icon, {});
}

HICON TIcon::ReleaseHandle() {
    HICON icon = icon_;
    icon_ = nullptr;
    Reset(nullptr, {});
    return icon;
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const AnsiString& name) {
    HANDLE icon = ::LoadImageA(ModuleOrProgram(instance), name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    if (!icon) ResourceNotFound(name);
    Reset(static_cast<HICON>(icon), {});
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id) {
    HANDLE icon = ::LoadImageA(ModuleOrProgram(instance), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    if (!icon) ResourceNotFound("#" + std::to_string(id));
    Reset(static_cast<HICON>(icon), {});
}

void TIcon::LoadFromStream(TStream& stream) {
    std::int64_t remaining = stream.Remaining();
    if (remaining <= 0 || remaining > 0x7FFFFFFF) throw EInvalidGraphic("Icon image is not valid");
    std::vector<Byte> data(static_cast<std::size_t>(remaining));
    stream.ReadBuffer(data.data(), static_cast<std::int32_t>(remaining));
    std::vector<TIconDirEntry> entries = ReadIconDirectory(data.data(), data.size());
    int wantedWidth = ::GetSystemMetrics(SM_CXICON);
    int wantedHeight = ::GetSystemMetrics(SM_CYICON);
    const TIconDirEntry& entry = entries[ChooseIconEntry(entries, wantedWidth, wantedHeight)];
    HICON icon = ::CreateIconFromResourceEx(data.data() + entry.Offset, entry.Size, TRUE, 0x00030000, entry.Width,
                                            entry.Height, LR_DEFAULTCOLOR);
    if (!icon) throw EInvalidGraphic("Icon image is not valid");
    Reset(icon, std::move(data));
}

void TIcon::SaveToStream(TStream& stream) {
    if (!icon_) return;
    if (fileData_.empty()) throw EInvalidGraphic("Icon image is not valid: it has no file form");
    stream.WriteBuffer(fileData_.data(), static_cast<std::int32_t>(fileData_.size()));
}

void TIcon::Assign(TPersistent* source) {
    if (!source) {
        Reset(nullptr, {});
        return;
    }
    if (auto* other = dynamic_cast<TIcon*>(source)) {
        if (other == this) return;
        HICON copy = other->icon_ ? ::CopyIcon(other->icon_) : nullptr;
        if (other->icon_ && !copy) throw EOutOfResources("Out of system resources");
        Reset(copy, other->fileData_);
        return;
    }
    inherited::Assign(source);
}
