#include "app/win/KelvoGdiPlus.h"

#include <mutex>

namespace {

// One GDI+ start for all shares. Plain data plus a mutex made on first use: nothing here is torn down by a
// static destructor, so GDI+ is never shut down after the C runtime began to unload.
struct Library {
    std::mutex Lock;
    std::int32_t Shares = 0;
    ULONG_PTR Token = 0;
};

Library& TheLibrary() {
    static Library* library = new Library;  // deliberately never destroyed
    return *library;
}

}  // namespace

TKelvoGdiPlusUser::~TKelvoGdiPlusUser() {
    if (!held_) return;
    Library& lib = TheLibrary();
    std::lock_guard<std::mutex> guard(lib.Lock);
    if (--lib.Shares == 0) {
        Gdiplus::GdiplusShutdown(lib.Token);
        lib.Token = 0;
    }
}

bool TKelvoGdiPlusUser::Use() {
    if (held_) return true;
    Library& lib = TheLibrary();
    std::lock_guard<std::mutex> guard(lib.Lock);
    if (held_) return true;  // another thread of this owner took the share meanwhile
    if (lib.Shares == 0) {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
        lib.Token = token;
    }
    ++lib.Shares;
    held_ = true;
    return true;
}

std::int32_t TKelvoGdiPlusUser::SharesInUse() {
    Library& lib = TheLibrary();
    std::lock_guard<std::mutex> guard(lib.Lock);
    return lib.Shares;
}

void TGdipImage::Reset() {
    if (image_) Gdiplus::DllExports::GdipDisposeImage(image_);
    image_ = nullptr;
    if (stream_) stream_->Release();
    stream_ = nullptr;
}
