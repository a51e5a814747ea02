#include "app/win/TKelvoLogoBackground.h"

#include <cstring>
#include <memory>

using namespace Gdiplus;

namespace {

struct TGlobalFree {
    void operator()(void* memory) const { ::GlobalFree(memory); }
};
struct TRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

}  // namespace

TKelvoLogoBackground::TKelvoLogoBackground(TComponent* owner) : TCustomControl(owner) {}

TKelvoLogoBackground::~TKelvoLogoBackground() { picture_.Reset(); }

bool TKelvoLogoBackground::LoadPicture(const AnsiString& resourceName) {
    picture_.Reset();
    pictureWidth_ = 0;
    const HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceA(module, resourceName.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found || !gdiplus_.Use()) return false;
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return false;
    // GDI+ reads the picture through a stream over memory of its own, which the stream frees.
    std::unique_ptr<void, TGlobalFree> memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = memory ? ::GlobalLock(memory.get()) : nullptr;
    if (!target) return false;
    std::memcpy(target, bytes, size);
    ::GlobalUnlock(memory.get());
    IStream* raw = nullptr;
    if (::CreateStreamOnHGlobal(memory.get(), TRUE, &raw) != S_OK || !raw) return false;
    memory.release();
    std::unique_ptr<IStream, TRelease> stream(raw);
    if (DllExports::GdipCreateBitmapFromStream(stream.get(), picture_.BitmapOut()) != Ok || !picture_) return false;
    picture_.HoldStream(stream.release());
    UINT width = 0;
    DllExports::GdipGetImageWidth(picture_.Get(), &width);
    pictureWidth_ = static_cast<int>(width);
    Invalidate();
    return pictureWidth_ > 0;
}

void TKelvoLogoBackground::Paint() {
    if (!picture_) return;
    GpGraphics* graphics = nullptr;
    if (DllExports::GdipCreateFromHDC(Canvas()->Handle(), &graphics) != Ok || !graphics) return;
    DllExports::GdipDrawImageRectI(graphics, picture_.Get(), 0, 0, ClientWidth(), ClientHeight());
    DllExports::GdipDeleteGraphics(graphics);
}

void TKelvoLogoBackground::WMEraseBkgnd(TMessage& message) { message.Result = 1; }
