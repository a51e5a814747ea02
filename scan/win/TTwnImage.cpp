#include "scan/win/TTwnImage.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/WindowDC.h"

TTwnImage::~TTwnImage() { Clear(); }

bool TTwnImage::MakeSection(const std::vector<Byte>& info) {
    Clear();
    if (info.size() < twn::kBitmapInfoHeaderSize) return false;
    TWindowDC screen(nullptr);
    void* bits = nullptr;
    section_.Reset(::CreateDIBSection(screen.Get(), reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                      &bits, nullptr, 0));
    if (!section_ || !bits) {
        section_.Reset();
        return false;
    }
    bits_ = static_cast<Byte*>(bits);
    info_ = info;
    return true;
}

bool TTwnImage::MakeBlock(std::size_t size) {
    Clear();
    block_ = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block_) return false;
    bits_ = static_cast<Byte*>(::GlobalLock(block_));
    locked_ = bits_ != nullptr;
    if (!locked_) Clear();
    return locked_;
}

bool TTwnImage::SectionOf(const twn::TTwnDibLayout& layout, const Byte* data) {
    if (!MakeSection(layout.info)) return false;
    std::memcpy(bits_, data + layout.bitsOffset, layout.bitsSize);
    return true;
}

bool TTwnImage::BlockOf(const twn::TTwnDibLayout& layout, const Byte* data) {
    if (!MakeBlock(layout.info.size() + layout.bitsSize)) return false;
    std::memcpy(bits_, layout.info.data(), layout.info.size());
    std::memcpy(bits_ + layout.info.size(), data + layout.bitsOffset, layout.bitsSize);
    info_ = layout.info;
    UnlockBlock();
    return true;
}

void TTwnImage::UnlockBlock() {
    if (block_ && locked_) ::GlobalUnlock(block_);
    locked_ = false;
    if (block_) bits_ = nullptr;
}

std::uintptr_t TTwnImage::Release() {
    UnlockBlock();
    std::uintptr_t handle = 0;
    if (section_)
        handle = reinterpret_cast<std::uintptr_t>(section_.Release());
    else if (block_)
        handle = reinterpret_cast<std::uintptr_t>(std::exchange(block_, nullptr));
    bits_ = nullptr;
    return handle;
}

void TTwnImage::Clear() {
    UnlockBlock();
    section_.Reset();
    if (block_) ::GlobalFree(std::exchange(block_, nullptr));
    bits_ = nullptr;
}

namespace twn {

bool ReadWholeFile(const std::string& name, std::vector<Byte>& data) {
    const HANDLE file = ::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    TScopeExit close([&] { ::CloseHandle(file); });
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        std::uint64_t(size.QuadPart) > kMaxImageBytes + kBitmapFileHeaderSize + 124 + 1024)
        return false;
    data.assign(std::size_t(size.QuadPart), 0);
    std::size_t done = 0;
    while (done < data.size()) {
        // In pieces of 32 KiB, as the file system likes them.
        const DWORD piece = DWORD(std::min<std::size_t>(data.size() - done, 32768));
        DWORD got = 0;
        if (!::ReadFile(file, data.data() + done, piece, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

}  // namespace twn
